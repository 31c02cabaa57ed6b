// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>

namespace vantrel_help {

// The help text, read-only. Pictures and style sheets come only from regular files of bounded
// size inside the help file's folder; anything else shows as missing.
class HelpBrowser : public QTextBrowser {
public:
    explicit HelpBrowser(const QString& helpFile, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    QUrl base_;
    QString folder_; // canonical, so that "..", links and symlinks cannot lead out of it
};

} // namespace vantrel_help
