// SPDX-License-Identifier: MIT
#include "real_game.h"

#include "ui/qt/form_window.h"
#include "ui/qt/surface_widget.h"

namespace bench {

QWidget* RealGame::loadMainWindow() {
    game.main.get();
    return client();
}

QWidget* RealGame::client() const {
    return renderer.windowOf(*game.main.existing())->client();
}

// A search takes its numbers in this order: ELT x and y, VOR x and y, airport x and y.
std::deque<float> eltAtTheAirport() {
    return {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
}

std::deque<float> eltOutOfRange() {
    return {0.0f, 0.0f, 0.5f, 0.5f, 1.0f, 1.0f};
}

} // namespace bench
