// SPDX-License-Identifier: MIT
#pragma once

#include "help/explanation_panel.h"

#include <string_view>

class Game;

// The coaching note on the game's panel; see the panel's own showExplanation.
void showExplanation(Game& game, std::string_view text, double top, NoteEdge edge, double x);
// A panel that does not exist yet is created hidden.
void hideExplanation(Game& game);

// The Help button and Help, Contents: puts the panel away, prepares the search-help dialog and
// opens the help file at its contents. The dialog is not shown.
void helpCommand(Game& game);

// Help, Search Help: the panel is put away and the prepared dialog is shown.
void showSearchHelp(Game& game);

// Demo: shows the first coaching notes one after another, ending beside the DF unit.
void runDemonstration(Game& game);

// Help, About: shows the window, or brings it to the front when it is open already.
void showAbout(Game& game);
