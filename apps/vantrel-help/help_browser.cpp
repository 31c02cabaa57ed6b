// SPDX-License-Identifier: MIT
#include "help_browser.h"

#include "bounded_file.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

namespace vantrel_help {

namespace {

// What a refused or unreadable picture shows: a plain grey square with a border.
QImage placeholderPicture() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(0xe0, 0xe0, 0xe0));
    QPainter painter(&image);
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.drawRect(0, 0, 15, 15);
    return image;
}

} // namespace

HelpBrowser::HelpBrowser(const QString& helpFile, QWidget* parent)
    : QTextBrowser(parent), base_(QUrl::fromLocalFile(helpFile)),
      folder_(QFileInfo(QFileInfo(helpFile).absolutePath()).canonicalFilePath()) {}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    // Every name gets an answer of its kind, refused or not. Given no picture, QTextDocument
    // opens the raw name itself: against the working folder, anywhere on the disk, and a FIFO
    // without end.
    const QByteArray bytes = readInsideFolder(name);
    if (type != QTextDocument::ImageResource) return bytes;
    const QImage picture = QImage::fromData(bytes);
    return picture.isNull() ? placeholderPicture() : picture;
}

QByteArray HelpBrowser::readInsideFolder(const QUrl& name) const {
    const QUrl url = base_.resolved(name);
    if (!url.isLocalFile() || folder_.isEmpty()) return {};
    const QString path = QFileInfo(url.toLocalFile()).canonicalFilePath();
    if (!path.startsWith(folder_ + QLatin1Char('/'))) return {};
    FileContents contents = readRegularFile(path);
    return contents.problem.isEmpty() ? contents.bytes : QByteArray();
}

} // namespace vantrel_help
