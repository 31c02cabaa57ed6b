// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class Game;

namespace monkey {

// What must hold of a running game after every event. Knows the search as it was after the
// previous event, so it can tell a new search from one that goes on.
class Invariants {
public:
    // Empty when all holds; otherwise what does not. `newSearch` says the event laid out a
    // new search.
    std::string check(Game& game, bool newSearch);

private:
    float lastDistance_ = 0;
    float firstSignal_ = 0;
};

} // namespace monkey
