// SPDX-License-Identifier: MIT
#pragma once

class Game;

// The direction finder: the signal indicator, the needle in DF or Signal mode, the Show Bearing
// readout, the distance flown at the first reception, and the tone at every new reception.
void refreshDfUnit(Game& game);

// The DF/Signal option buttons.
void dfModeClicked(Game& game);

// The Show Bearing check box: shows or hides the bearing readout.
void showBearingClicked(Game& game);
