// SPDX-License-Identifier: MIT
#pragma once

#include "support/real_game.h"

#include <deque>

class QWidget;

namespace bench {

// The tests' real game, put together as the program does it but started in the program's
// steps, so that each can be watched. Flush deferred deletes after destroying it.
struct RealGame : ::RealGame {
    explicit RealGame(std::deque<float> randoms = {})
        : ::RealGame(Unstarted{}, std::move(randoms)) {}

    // The first thing starting does, on its own: the main window exists, hidden, so its client
    // can be watched before anything is shown.
    QWidget* loadMainWindow();
    // Starts the game as the program does: start-up, the first search, the window shown.
    void start() { game.start(); }

    // The main window's client area, the drawing surface below the menu bar, once loaded.
    QWidget* client() const;
};

// Every search feature in the middle of the map: the ELT is heard from the first moment.
std::deque<float> eltAtTheAirport();
// The ELT in one corner, the airport in the other: nothing is heard at the start.
std::deque<float> eltOutOfRange();

} // namespace bench
