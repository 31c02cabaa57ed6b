#pragma once

#include <cstdint>
#include <QString>
#include <QTextBrowser>

class QUrl;

namespace vantrel_help {

// The help window: the help file's HTML, read-only, at its contents or at one topic. Each
// topic is an anchor named by its number.
class HelpViewer {
public:
    explicit HelpViewer(QString helpFile);

    void showContents();
    // An unknown topic shows the contents.
    void showTopic(std::int32_t topic);

    QTextBrowser& window() { return browser_; }

private:
    void load();
    void bringToFront();
    void followLink(const QUrl& link);

    QString helpFile_;
    QTextBrowser browser_;
    bool loaded_ = false;
};

// Whether the document has an anchor of that name.
bool hasAnchor(const QTextDocument& document, const QString& name);

} // namespace vantrel_help
