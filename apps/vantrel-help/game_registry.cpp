// SPDX-License-Identifier: MIT
#include "game_registry.h"

#include <algorithm>

namespace vantrel_help {

void GameRegistry::add(qint64 game) {
    if (game <= 0) return;
    const auto known = [game](const ui::qt::ProcessHandle& g) { return g.pid() == game; };
    if (std::none_of(games_.begin(), games_.end(), known)) games_.emplace_back(game);
}

bool GameRegistry::release(qint64 game) {
    std::erase_if(
        games_, [game](const ui::qt::ProcessHandle& g) { return g.pid() == game || g.hasEnded(); });
    return game == 0 || games_.empty();
}

} // namespace vantrel_help
