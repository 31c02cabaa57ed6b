// SPDX-License-Identifier: MIT
#include "view_menu.h"

#include "game/game.h"
#include "ui/numbers.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// A window smaller than this is of no use to anybody, whatever the screen.
constexpr int kSmallestZoom = 25;
constexpr double kSlack = 1e-9;

std::string itemFor(int level) {
    return "mnuZoom" + std::to_string(level);
}

double largestZoom(Game& game) {
    return game.runtime.host().largestZoom(*game.main);
}

bool fits(int percent, double largest) {
    return percent <= largest * 100 + kSlack;
}

// Shows the level in force and offers only the levels that fit.
void refreshViewMenu(Game& game, double largest) {
    MainWindow& w = *game.main;
    const int zoom = game.runtime.zoom();
    for (int level : zoomLevels) {
        w.setMenuChecked(itemFor(level), level == zoom);
        w.setMenuEnabled(itemFor(level), fits(level, largest));
    }
    w.setMenuEnabled("mnuZoomIn", std::any_of(zoomLevels.begin(), zoomLevels.end(),
                                              [&](int l) { return l > zoom && fits(l, largest); }));
    w.setMenuEnabled("mnuZoomOut", zoom > zoomLevels.front());
}

void apply(Game& game) {
    const double largest = largestZoom(game);
    const int zoom = fits(game.zoomChosen, largest) ? game.zoomChosen : fittingZoom(largest);
    game.runtime.setZoom(zoom);
    refreshViewMenu(game, largest);
}

void choose(Game& game, int percent) {
    game.zoomChosen = percent;
    game.runtime.host().saveSetting("view/zoom", std::to_string(percent));
    apply(game);
}

} // namespace

int fittingZoom(double largest) {
    int best = 0;
    for (int level : zoomLevels)
        if (fits(level, largest)) best = level;
    if (best > 0) return best;
    return std::max(kSmallestZoom, static_cast<int>(std::floor(largest * 100 + kSlack)));
}

void setZoomLevel(Game& game, int percent) {
    choose(game, std::min(percent, fittingZoom(largestZoom(game))));
}

void zoomIn(Game& game) {
    const int zoom = game.runtime.zoom();
    for (int level : zoomLevels)
        if (level > zoom) {
            if (fits(level, largestZoom(game))) choose(game, level);
            return;
        }
}

void zoomOut(Game& game) {
    const int zoom = game.runtime.zoom();
    for (auto it = zoomLevels.rbegin(); it != zoomLevels.rend(); ++it)
        if (*it < zoom) {
            choose(game, *it);
            return;
        }
}

void zoomToFit(Game& game) {
    // A screen too small for any level holds the window smaller by itself; the choice kept for
    // a larger screen is then the smallest level.
    choose(game, std::max(zoomLevels.front(), fittingZoom(largestZoom(game))));
}

void refitToScreen(Game& game) {
    if (game.main.existing()) apply(game);
}

void restoreZoom(Game& game) {
    if (const auto saved = game.runtime.host().setting("view/zoom")) {
        const double percent = ui::readNumber(*saved);
        if (percent >= kSmallestZoom && percent <= zoomLevels.back())
            game.zoomChosen = static_cast<int>(percent);
    }
    apply(game);
}

void connectViewMenu(Game& game, MainWindow& w) {
    for (int level : zoomLevels)
        w.findMenuItem(itemFor(level))->onClick = [&game, level] { setZoomLevel(game, level); };
    w.findMenuItem("mnuZoomIn")->onClick = [&game] { zoomIn(game); };
    w.findMenuItem("mnuZoomOut")->onClick = [&game] { zoomOut(game); };
    w.findMenuItem("mnuZoomFit")->onClick = [&game] { zoomToFit(game); };
    game.runtime.onScreenChanged = [&game] { refitToScreen(game); };
}
