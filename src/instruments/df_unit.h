// SPDX-License-Identifier: MIT
#pragma once

class Game;
struct SearchState;

// The direction finder: the signal indicator, the needle in DF or Signal mode, the Show Bearing
// readout, the distance flown at the first reception, and the receiver's tone.
void refreshDfUnit(Game& game);

// The receiver's tone after the DF unit has looked at the signal, as the player chose to hear
// it: once when `newReception`, or looping at the loudness `strength` gives, or not at all.
void soundReceiver(Game& game, float strength, bool newReception);

// The ELT's signal where the aircraft is now.
float eltSignalStrength(const SearchState& s);

// The DF/Signal option buttons.
void dfModeClicked(Game& game);

// The Show Bearing check box: shows or hides the bearing readout.
void showBearingClicked(Game& game);
