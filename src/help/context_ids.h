// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class Game;

// The help file beside the program and the calls to the help viewer.
namespace help {
inline constexpr std::int32_t showTopic = 1; // data: the topic number
inline constexpr std::int32_t closeFile = 2;
inline constexpr std::int32_t showContents = 3;
} // namespace help

// At start-up: keeps the main window's handle and fixes the help file's path beside the program.
void locateHelpFile(Game& game, std::int32_t windowHandle);

void openHelpContents(Game& game);
void closeHelp(Game& game);
// F1: the help file at a topic.
void openHelpTopic(Game& game, std::int32_t topic);

// The Help button and Help, Contents: puts the panel away, prepares the search-help dialog and
// opens the help file at its contents. The dialog is not shown.
void helpCommand(Game& game);
