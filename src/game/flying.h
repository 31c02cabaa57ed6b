// SPDX-License-Identifier: MIT
#pragma once

class Game;

// One step forward on the current heading, with the distance flown counted and shown and the
// aircraft symbol, the VOR/DME and the DF unit brought up to date, in that order.
void stepAircraft(Game& game);

// The arrows: a 45-degree turn and then a step, or a step straight on.
void turnLeftAndStep(Game& game);
void turnRightAndStep(Game& game);

// The Cruise and Search option buttons: one mile or a quarter mile a step.
void speedClicked(Game& game);
