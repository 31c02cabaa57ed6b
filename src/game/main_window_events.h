// SPDX-License-Identifier: MIT
#pragma once

class Game;
struct MainWindow;

// Connects the main window's clicks, menu items, timer and closing to the game's operations.
void connectMainWindow(Game& game, MainWindow& window);
