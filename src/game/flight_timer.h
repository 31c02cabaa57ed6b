// SPDX-License-Identifier: MIT
#pragma once

class Game;

// One tick of the one-second timer: coaches the player through the current search with notes
// beside the instruments, the long-search advice, and the offer to bring a lost aircraft back.
//
// The clock reads seconds since midnight. A search that runs across midnight keeps counting up
// (a reading more than half a day before the start means the clock has passed midnight), and
// the count never goes back within a search nor past its 16-bit limit, so a clock set back by
// hours never restarts the coaching.
void flightTimerTick(Game& game);

// The four coaching notes; the demonstration shows the first two and a variant of the last.
void showArrowsPrompt(Game& game);
void showSearchPrompt(Game& game);
void showReturnPrompt(Game& game);
void showTurningPrompt(Game& game, const char* firstLine);
