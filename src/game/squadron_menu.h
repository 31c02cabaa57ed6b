// SPDX-License-Identifier: MIT
#pragma once

class Game;
struct MainWindow;

// Game, Squadron...: the dialog where the player joins, tests or leaves their squadron. The
// entry can be chosen only when the program offers a squadron.
void connectSquadronMenu(Game& game, MainWindow& w);
void showSquadron(Game& game);
