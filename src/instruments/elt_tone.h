// SPDX-License-Identifier: MIT
#pragma once

class Game;

// Hands the ELT's tone file, beside the program, to the sound device.
void startEltTone(Game& game);
