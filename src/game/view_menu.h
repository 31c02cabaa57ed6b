// SPDX-License-Identifier: MIT
#pragma once

#include <array>

class Game;
class MainWindow;

// The zoom levels of the View menu, in percent.
inline constexpr std::array<int, 4> zoomLevels{100, 150, 200, 300};

// The level "Fit to Screen" picks for a window that fits up to `largest` times its designed
// size: the largest level that fits, or, on a screen too small for any, the exact percentage
// that does.
int fittingZoom(double largest);

// The View menu's choices. A level larger than the screen takes the largest that fits.
void setZoomLevel(Game& game, int percent);
void zoomIn(Game& game);
void zoomOut(Game& game);
void zoomToFit(Game& game);
// The screen may have changed: a window that no longer fits shrinks until it does, and the
// menu offers only what fits. The remembered level is kept for a larger screen.
void refitToScreen(Game& game);

// Takes up the level the player chose in an earlier run, as far as the screen allows.
void restoreZoom(Game& game);

// Wires the View menu of `w`, the game's main window, to the operations above.
void connectViewMenu(Game& game, MainWindow& w);
