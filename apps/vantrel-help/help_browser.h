// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>

namespace vantrel_help {

// The help text, read-only. Pictures and style sheets come only from regular files of bounded
// size inside the help file's folder, and nothing else is ever opened: a picture refused or
// unreadable shows as a plain placeholder, any other resource as empty.
class HelpBrowser : public QTextBrowser {
public:
    explicit HelpBrowser(const QString& helpFile, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    // The bytes of `name` when it is a readable file in the folder, else none.
    QByteArray readInsideFolder(const QUrl& name) const;

    QUrl base_;
    QString folder_; // canonical, so that "..", links and symlinks cannot lead out of it
};

} // namespace vantrel_help
