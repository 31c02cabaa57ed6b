// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_state.h"
#include "ui/controls.h"

// Shows the radial of the VOR the aircraft is on and its DME distance from the station.
void refreshVorDme(ui::Label& radial, ui::Label& distance, const SearchState& s);
