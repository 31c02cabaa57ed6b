// SPDX-License-Identifier: MIT
#pragma once

#include "instruments/elt_tone.h"

class Game;
class MainWindow;

// The Game menu's Receiver Audio choice: the tone follows it at once, and it is kept for the
// next run.
void chooseReceiverAudio(Game& game, ReceiverAudio audio);

// Takes up the choice of an earlier run, before the first search is placed; Classic when there
// is none.
void restoreReceiverAudio(Game& game);

// Stops the looping tone: the search is over, or the game is.
void silenceReceiver(Game& game);

// Wires the Receiver Audio items of `w`, the game's main window.
void connectAudioMenu(Game& game, MainWindow& w);
