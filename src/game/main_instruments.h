// SPDX-License-Identifier: MIT
#pragma once

class Game;

// The instruments on the main window, refreshed from the search in hand.
void refreshAircraftSymbol(Game& game);
void refreshVorDme(Game& game);
// Also sounds the receiver as the player chose to hear it.
void refreshDfUnit(Game& game);

// The DF/Signal option buttons.
void dfModeClicked(Game& game);

// The Show Bearing check box: shows or hides the bearing readout.
void showBearingClicked(Game& game);
