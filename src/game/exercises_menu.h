// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_class.h"

class Game;
struct MainWindow;

// Game, Exercises...: the trainee picks one of the squadron's exercises and flies it at once.
// The entry stays enabled outside a squadron, so that the dialog can say how to join one.
void connectExercisesMenu(Game& game, MainWindow& w);
void showExercises(Game& game);
// Lays out `exercise` as a New Search now; the New Search after it is a random one again.
void flyExercise(Game& game, const logbook::Exercise& exercise);

// Asks the squadron whether the player is one of its instructors, who alone see the Logbook
// window's Publish button and Game, Class.... Asked after start-up, when the Squadron dialog
// closes and when the Logbook window opens.
void askRole(Game& game);
// The Logbook window's "Publish as exercise...": names the selected Reveal's layout in a small
// dialog, then publishes it; the Logbook window says how it went.
void publishSelected(Game& game);
void publishExercise(Game& game, const logbook::Exercise& exercise);
