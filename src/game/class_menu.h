// SPDX-License-Identifier: MIT
#pragma once

#include "ui/menu.h"

class Game;
struct MainWindow;

// Game, Class...: the instructor's view of the class. The entry is there only for an instructor
// of the squadron the player is in; everyone else never sees it.
ui::MenuItem classMenuItem();
void connectClassMenu(Game& game, MainWindow& w);
// Hides the entry, then asks the squadron's server whether the player is an instructor and
// shows it when they are.
void refreshClassMenu(Game& game);
void showClass(Game& game);
