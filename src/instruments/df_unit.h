// SPDX-License-Identifier: MIT
#pragma once

#include "instruments/elt_tone.h"
#include "model/search_state.h"
#include "ui/containers.h"
#include "ui/controls.h"

#include <cstdint>
#include <string>

// The controls the direction finder draws on.
struct DfPanel {
    ui::PictureBox& display;
    ui::LineControl& needle;
    ui::OptionButton& dfMode; // set: DF mode; clear: Signal mode
    ui::Shape& indicator;
    ui::CheckBox& showBearing;
    ui::Label& bearing;
    ui::Label& distance;
};

// What the receiver picked up at the DF unit's last look.
struct Reception {
    float strength = 0;
    bool isNew = false; // the indicator turned red from black
};

// The direction finder: the signal indicator, the needle in DF or Signal mode, the Show Bearing
// readout and the distance flown at the first reception. `signalHeard` is the unit's memory
// between looks: set while the indicator is red.
Reception refreshDfUnit(const DfPanel& panel, SearchState& s, std::int16_t& signalHeard);

// The receiver's tone after the DF unit has looked at the signal, as the player chose to hear
// it: once when `newReception`, or looping at the loudness `strength` gives, or not at all.
void soundReceiver(ui::MultimediaControl& player, const std::string& appPath, ReceiverAudio audio,
                   float strength, bool newReception);

// The ELT's signal where the aircraft is now.
float eltSignalStrength(const SearchState& s);
