// SPDX-License-Identifier: MIT
#pragma once

class Game;

// Runs while the main window loads, before it is first shown: the first search is laid out.
void startUp(Game& game);

// The user closed the main window: the help viewer is told to close, then the program ends.
void shutDown(Game& game);

// Exit: the program ends at once; an open help viewer stays open.
void exitProgram(Game& game);
