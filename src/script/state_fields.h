// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

class Game;

namespace script {

// A field of the game's records (the search record, the coaching record, the DF unit's flag)
// named as the scenarios name it. Empty when there is no such field.
struct StateField {
    std::string (*read)(Game&, int index);
    void (*write)(Game&, int index, double value);
    int index;
};
std::optional<StateField> stateField(std::string_view name);

} // namespace script
