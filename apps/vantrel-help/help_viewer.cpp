// SPDX-License-Identifier: MIT
#include "help_viewer.h"

#include "bounded_file.h"
#include "placement.h"

#include <cmath>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolBar>
#include <QUrl>
#include <utility>
#include <vector>

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

// The window's size at 100 %.
constexpr QSize kDesignedSize(640, 560);

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

HelpViewer::HelpViewer(QString helpFile)
    : helpFile_(std::move(helpFile)), browser_(new HelpBrowser(helpFile_, &window_)),
      findBar_(new FindBar(*browser_, &window_)) {
    window_.setWindowTitle(QStringLiteral("Vantrel Help Viewer"));
    window_.resize(kDesignedSize);
    window_.setCentralWidget(browser_);
    QToolBar* tools = window_.addToolBar(QStringLiteral("Navigation"));
    tools->setMovable(false);
    back_ = tools->addAction(QStringLiteral("Back"), &window_, [this] { back(); });
    back_->setShortcut(QKeySequence::Back);
    forward_ = tools->addAction(QStringLiteral("Forward"), &window_, [this] { forward(); });
    forward_->setShortcut(QKeySequence::Forward);
    QAction* find =
        tools->addAction(QStringLiteral("Find"), &window_, [this] { findBar_->open(); });
    find->setShortcut(QKeySequence::Find);
    window_.addToolBar(Qt::BottomToolBarArea, findBar_);
    updateActions();
    // Links are followed here, so that nothing outside the help file is ever opened.
    browser_->setOpenLinks(false);
    browser_->setOpenExternalLinks(false);
    QObject::connect(browser_, &QTextBrowser::anchorClicked, &window_,
                     [this](const QUrl& link) { followLink(link); });
}

void HelpViewer::showContents() {
    load();
    bringToFront();
    jumpTo({});
}

void HelpViewer::showTopic(std::int32_t topic) {
    load();
    const QString anchor = QString::number(topic);
    bringToFront();
    jumpTo(hasAnchor(*browser_->document(), anchor) ? anchor : QString());
}

void HelpViewer::setGameWindow(std::optional<QRect> game) {
    if (game) game_ = game;
}

void HelpViewer::setZoom(int percent) {
    if (percent <= 0 || percent == zoom_) return;
    zoom_ = percent;
    // The line at the top stays at the top, and Back and Forward keep their places.
    QScrollBar& bar = *browser_->verticalScrollBar();
    const int atTop = browser_->cursorForPosition(QPoint(0, 0)).position();
    const double oldHeight = browser_->document()->size().height();
    // The desktop's font grown, for the tool bars, the find bar and text of no size of its own.
    QFont font = QApplication::font();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * zoom_ / 100.0);
    else
        font.setPixelSize(std::max(1, int(std::lround(font.pixelSize() * zoom_ / 100.0))));
    window_.setFont(font);
    if (loaded_) zoomTextSizes();
    if (!shown_) window_.resize(kDesignedSize * (zoom_ / 100.0));
    const double newHeight = browser_->document()->size().height();
    if (oldHeight > 0 && newHeight > 0) {
        for (QList<int>* places : {&backPlaces_, &forwardPlaces_})
            for (int& place : *places)
                place = int(std::lround(place * newHeight / oldHeight));
    }
    QTextCursor top(browser_->document());
    top.setPosition(std::min(atTop, browser_->document()->characterCount() - 1));
    bar.setValue(bar.value() + browser_->cursorRect(top).top());
}

void HelpViewer::noteTextSizes() {
    sizedText_.clear();
    // Read once, as the file gives them: a fragment grown to the size of the one after it
    // merges with it, and a walk over the fragments being changed would never end.
    const QTextDocument& document = *browser_->document();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const qreal points =
                format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : 0;
            const int pixels = format.hasProperty(QTextFormat::FontPixelSize)
                                   ? format.intProperty(QTextFormat::FontPixelSize)
                                   : 0;
            if (points > 0 || pixels > 0)
                sizedText_.push_back(
                    {fragment.position(), fragment.position() + fragment.length(), points, pixels});
        }
    }
}

void HelpViewer::zoomTextSizes() {
    const double factor = zoom_ / 100.0;
    QTextCursor cursor(browser_->document());
    for (const SizedText& text : sizedText_) {
        QTextCharFormat sized;
        if (text.points > 0) sized.setFontPointSize(text.points * factor);
        if (text.pixels > 0)
            sized.setProperty(QTextFormat::FontPixelSize,
                              std::max(1, int(std::lround(text.pixels * factor))));
        cursor.setPosition(text.from);
        cursor.setPosition(text.to, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(sized);
    }
}

// A file read once stays; one that could not be read is tried again on the next command.
void HelpViewer::load() {
    if (loaded_) return;
    const FileContents contents = readRegularFile(helpFile_);
    if (!contents.problem.isEmpty()) {
        browser_->setHtml(unreadableMessage(helpFile_, contents.problem));
        return;
    }
    browser_->document()->setBaseUrl(QUrl::fromLocalFile(helpFile_));
    browser_->setHtml(decodeHtml(contents.bytes));
    noteTextSizes();
    if (zoom_ != 100) zoomTextSizes();
    loaded_ = true;
}

void HelpViewer::bringToFront() {
    if (!shown_ && game_) {
        const QScreen* screen = QGuiApplication::screenAt(game_->center());
        if (!screen) screen = QGuiApplication::primaryScreen();
        if (screen) {
            const QRect place = placeBeside(*game_, screen->availableGeometry(), window_.size());
            window_.resize(place.size());
            window_.move(place.topLeft());
        }
    }
    shown_ = true;
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

void HelpViewer::followLink(const QUrl& link) {
    const QUrl self = QUrl::fromLocalFile(helpFile_);
    const QUrl target = self.resolved(link);
    if (target.adjusted(QUrl::RemoveFragment) != self) return;
    const QString anchor = target.fragment();
    jumpTo(hasAnchor(*browser_->document(), anchor) ? anchor : QString());
}

void HelpViewer::jumpTo(const QString& anchor) {
    QScrollBar& bar = *browser_->verticalScrollBar();
    const int from = bar.value();
    if (anchor.isEmpty()) {
        browser_->moveCursor(QTextCursor::Start);
        bar.setValue(0);
    } else {
        browser_->scrollToAnchor(anchor);
    }
    if (bar.value() == from) return;
    backPlaces_.append(from);
    forwardPlaces_.clear();
    updateActions();
}

void HelpViewer::back() {
    if (backPlaces_.isEmpty()) return;
    forwardPlaces_.append(browser_->verticalScrollBar()->value());
    browser_->verticalScrollBar()->setValue(backPlaces_.takeLast());
    updateActions();
}

void HelpViewer::forward() {
    if (forwardPlaces_.isEmpty()) return;
    backPlaces_.append(browser_->verticalScrollBar()->value());
    browser_->verticalScrollBar()->setValue(forwardPlaces_.takeLast());
    updateActions();
}

void HelpViewer::updateActions() {
    back_->setEnabled(!backPlaces_.isEmpty());
    forward_->setEnabled(!forwardPlaces_.isEmpty());
}

} // namespace vantrel_help
