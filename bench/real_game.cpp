// SPDX-License-Identifier: MIT
#include "real_game.h"

#include "ui/qt/form_window.h"
#include "ui/qt/surface_widget.h"

namespace bench {

std::optional<float> LaidOutHost::scriptedRandom() {
    if (randoms.empty()) return std::nullopt;
    const float r = randoms.front();
    randoms.pop_front();
    return r;
}

RealGame::RealGame(std::deque<float> randoms) {
    host.randoms = std::move(randoms);
    host.setRenderer(&renderer);
}

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
