// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"

#include <string>

namespace debrief {

// The figures beside the debrief map, as the window writes them.
struct DebriefNumbers {
    std::string date; // "2026-12-07 14:03 UTC"
    // The miles flown when the score took the first signal, as the results box said.
    std::string firstSignal;
    // From where the ELT was really first heard: the miles flown on to the Reveal, and the
    // straight line to the ELT.
    std::string flownAfterSignal;
    std::string straightLine;
    // Empty, or one line saying how the real first reception differs from the scored one.
    std::string signalNote;
    std::string hints;       // "2"
    std::string bearingUsed; // "Yes" or "No"
    std::string score;       // as the results box wrote it; "0" when it wrote nothing
    std::string rating;
};

// The score takes the first signal where the DF unit first showed it after take-off: an ELT
// heard already at the airport counts from the first step, one never heard counts as heard at
// 0.0 nm. The distances measured from where the ELT was really first heard read "Not heard"
// when it never was.
DebriefNumbers debriefNumbers(const logbook::SearchRecord& record);

} // namespace debrief
