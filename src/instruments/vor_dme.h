// SPDX-License-Identifier: MIT
#pragma once

class Game;

// Shows the radial of the VOR the aircraft is on and its DME distance from the station.
void refreshVorDme(Game& game);
