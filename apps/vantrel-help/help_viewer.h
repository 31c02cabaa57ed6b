// SPDX-License-Identifier: MIT
#pragma once

#include "find_bar.h"
#include "help_browser.h"

#include <cstdint>
#include <optional>
#include <QAction>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <vector>

class QUrl;

namespace vantrel_help {

// The help window: the help file's HTML, read-only, at its contents or at one topic, with Back,
// Forward and Find. Each topic is an anchor named by its number.
class HelpViewer {
public:
    explicit HelpViewer(QString helpFile);
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    void showContents();
    // An unknown topic shows the contents.
    void showTopic(std::int32_t topic);
    // Where the game's window is; the viewer first opens beside it, on its screen.
    void setGameWindow(std::optional<QRect> game);
    // The game's zoom in percent: the text, the sizes the help file gives its own among it, and
    // the tool bars grow with it, and so does the window's first size.
    void setZoom(int percent);

    void back();
    void forward();

    QMainWindow& window() { return window_; }
    HelpBrowser& browser() { return *browser_; }
    FindBar& findBar() { return *findBar_; }

private:
    void load();
    void bringToFront();
    void followLink(const QUrl& link);
    // Jumps to `anchor` (the top when empty), remembering where we were for Back.
    void jumpTo(const QString& anchor);
    void updateActions();
    // Notes the text sizes the help file sets itself, as read; then sets each to its size
    // at the zoom, always from the size read, so that no zoom and back leaves a size changed.
    void noteTextSizes();
    void zoomTextSizes();

    QString helpFile_;
    QMainWindow window_;
    HelpBrowser* browser_;
    FindBar* findBar_;
    QAction* back_;
    QAction* forward_;
    QList<int> backPlaces_;
    QList<int> forwardPlaces_;
    std::optional<QRect> game_;
    struct SizedText {
        int from, to;
        qreal points; // 0: none of its own
        int pixels;   // 0: none of its own
    };
    std::vector<SizedText> sizedText_;
    int zoom_ = 100;
    bool loaded_ = false;
    bool shown_ = false;
};

// Whether the document has an anchor of that name.
bool hasAnchor(const QTextDocument& document, const QString& name);

} // namespace vantrel_help
