// SPDX-License-Identifier: MIT
#include "help_browser.h"

#include "bounded_file.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel_help {

HelpBrowser::HelpBrowser(const QString& helpFile, QWidget* parent)
    : QTextBrowser(parent), base_(QUrl::fromLocalFile(helpFile)),
      folder_(QFileInfo(QFileInfo(helpFile).absolutePath()).canonicalFilePath()) {}

QVariant HelpBrowser::loadResource(int, const QUrl& name) {
    // A valid but empty answer, so that nothing else goes looking for the resource.
    const QVariant refused = QByteArray();
    const QUrl url = base_.resolved(name);
    if (!url.isLocalFile() || folder_.isEmpty()) return refused;
    const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
    if (!path.startsWith(folder_ + QLatin1Char('/'))) return refused;
    FileContents contents = readRegularFile(path);
    return contents.problem.isEmpty() ? QVariant(contents.bytes) : refused;
}

} // namespace vantrel_help
