// SPDX-License-Identifier: MIT
#pragma once

#include "ui/menu.h"

class Game;
struct MainWindow;

// Game, Class...: the instructor's view of the class. The entry is there only for an instructor
// of the squadron the player is in; everyone else never sees it.
ui::MenuItem classMenuItem();
void connectClassMenu(Game& game, MainWindow& w);
void showClass(Game& game);
// The squadron was joined or left, or its reader made anew: an open Class window reads the
// class again, or closes when the player is in no squadron.
void followSquadron(Game& game);
