// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/search_record.h"

#include <string>

namespace debrief {

// The figures beside the debrief map, as the window writes them.
struct DebriefNumbers {
    std::string date;             // "2026-12-07 14:03 UTC"
    std::string flownAfterSignal; // from where the ELT was first heard to the Reveal
    std::string straightLine;     // from where the ELT was first heard to the ELT
    std::string hints;            // "2"
    std::string bearingUsed;      // "Yes" or "No"
    std::string score;            // as the results box wrote it; "0" when it wrote nothing
    std::string rating;
};

// A search never heard has nothing to measure from: both of its distances read "Not heard".
DebriefNumbers debriefNumbers(const logbook::SearchRecord& record);

} // namespace debrief
