#include "help_viewer.h"

#include <QFile>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QUrl>
#include <utility>

namespace vantrel_help {

namespace {

// Old help files are seldom UTF-8: honour a declared charset, else fall back to Latin-1.
QString decodeHtml(const QByteArray& bytes) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (decoder.isValid()) {
        QString text = decoder.decode(bytes);
        if (!decoder.hasError()) return text;
    }
    return QString::fromLatin1(bytes);
}

QString unreadableMessage(const QString& helpFile, const QString& reason) {
    return QStringLiteral("<h2>Help is not available</h2>"
                          "<p>The help file <b>%1</b> could not be read (%2).</p>")
        .arg(helpFile.toHtmlEscaped(), reason.toHtmlEscaped());
}

} // namespace

bool hasAnchor(const QTextDocument& document, const QString& name) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.charFormat().anchorNames().contains(name)) return true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(name)) return true;
        }
    }
    return false;
}

HelpViewer::HelpViewer(QString helpFile) : helpFile_(std::move(helpFile)) {
    browser_.setWindowTitle(QStringLiteral("Vantrel Help"));
    browser_.resize(640, 560);
    // Links are followed here, so that nothing outside the help file is ever opened.
    browser_.setOpenLinks(false);
    browser_.setOpenExternalLinks(false);
    QObject::connect(&browser_, &QTextBrowser::anchorClicked, &browser_,
                     [this](const QUrl& link) { followLink(link); });
}

void HelpViewer::showContents() {
    load();
    bringToFront();
    browser_.moveCursor(QTextCursor::Start);
    browser_.verticalScrollBar()->setValue(0);
}

void HelpViewer::showTopic(std::int32_t topic) {
    load();
    const QString anchor = QString::number(topic);
    if (!hasAnchor(*browser_.document(), anchor)) {
        showContents();
        return;
    }
    bringToFront();
    browser_.scrollToAnchor(anchor);
}

// A file read once stays; one that could not be read is tried again on the next command.
void HelpViewer::load() {
    if (loaded_) return;
    QFile file(helpFile_);
    if (!file.open(QIODevice::ReadOnly)) {
        browser_.setHtml(unreadableMessage(helpFile_, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError) {
        browser_.setHtml(unreadableMessage(helpFile_, file.errorString()));
        return;
    }
    browser_.document()->setBaseUrl(QUrl::fromLocalFile(helpFile_));
    browser_.setHtml(decodeHtml(bytes));
    loaded_ = true;
}

void HelpViewer::bringToFront() {
    browser_.setWindowState(browser_.windowState() & ~Qt::WindowMinimized);
    browser_.show();
    browser_.raise();
    browser_.activateWindow();
}

void HelpViewer::followLink(const QUrl& link) {
    const QUrl self = QUrl::fromLocalFile(helpFile_);
    const QUrl target = self.resolved(link);
    if (target.adjusted(QUrl::RemoveFragment) != self) return;
    const QString anchor = target.fragment();
    if (anchor.isEmpty() || !hasAnchor(*browser_.document(), anchor)) {
        browser_.verticalScrollBar()->setValue(0);
        return;
    }
    browser_.scrollToAnchor(anchor);
}

} // namespace vantrel_help
