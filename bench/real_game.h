// SPDX-License-Identifier: MIT
#pragma once

#include "game/game.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/runtime.h"

#include <deque>
#include <optional>

class QWidget;

namespace bench {

// The real desktop host; given numbers, it lays the search out from them instead of the clock.
class LaidOutHost : public ui::qt::QtHost {
public:
    std::deque<float> randoms;
    std::optional<float> scriptedRandom() override;
};

// A whole game on real widgets, put together as the program does it. Its members go in the
// program's order when it is destroyed: the game, the renderer, the runtime, the host. The
// windows are deleted later, so flush deferred deletes afterwards.
struct RealGame {
    explicit RealGame(std::deque<float> randoms = {});
    RealGame(const RealGame&) = delete;
    RealGame& operator=(const RealGame&) = delete;

    // The first thing starting does, on its own: the main window exists, hidden, so its client
    // can be watched before anything is shown.
    QWidget* loadMainWindow();
    // Starts the game as the program does: start-up, the first search, the window shown.
    void start() { game.start(); }

    MainWindow& main() { return *game.main.existing(); }
    // The main window's client area, the drawing surface below the menu bar, once loaded.
    QWidget* client() const;

    LaidOutHost host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    Game game{runtime};
};

// Every search feature in the middle of the map: the ELT is heard from the first moment.
std::deque<float> eltAtTheAirport();
// The ELT in one corner, the airport in the other: nothing is heard at the start.
std::deque<float> eltOutOfRange();

} // namespace bench
