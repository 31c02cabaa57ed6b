// SPDX-License-Identifier: MIT
#include "debrief_numbers.h"

#include "model/format_by_pattern.h"
#include "model/navigation.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace debrief {

namespace {

std::string miles(float nm) {
    return formatByPattern(nm, "##0.0") + " nm";
}

// "2026-12-07T14:03:59Z" reads "2026-12-07 14:03 UTC"; a time in any other form is shown as
// it was stored.
std::string readableTime(const std::string& utc) {
    const bool iso = utc.size() >= 16 && utc[10] == 'T' && utc[13] == ':';
    return iso ? utc.substr(0, 10) + " " + utc.substr(11, 5) + " UTC" : utc;
}

// The miles flown when the aircraft first stood at `heard`, counted as the game counts them:
// each step its speed's worth, a diagonal one as much as a straight one, nothing to a point the
// aircraft was put at. None when the track does not hold the point.
std::optional<float> flownTo(const logbook::SearchRecord& record,
                             const logbook::TrackPoint& heard) {
    const auto& track = record.track;
    const auto at = std::find(track.begin(), track.end(), heard);
    if (at == track.end()) return std::nullopt;
    const auto perMile = static_cast<float>(std::max<int>(record.mapScale, 1));
    float flown = 0;
    for (auto step = track.begin(); step != at; ++step)
        flown += float(step[1].speedStep) / perMile;
    return flown;
}

// The miles flown after the aircraft first stood at `heard`, counted in the same way.
float flownSince(const logbook::SearchRecord& record, const logbook::TrackPoint& heard) {
    const auto& track = record.track;
    const auto from = std::find(track.begin(), track.end(), heard);
    if (from == track.end()) // a record that does not hold the point: the game's own figure
        return std::max(record.distanceFlown - record.firstSignalDistance, 0.f);
    const auto perMile = static_cast<float>(std::max<int>(record.mapScale, 1));
    float flown = 0;
    for (auto step = from + 1; step != track.end(); ++step)
        flown += float(step->speedStep) / perMile;
    return flown;
}

std::string signalNote(const logbook::SearchRecord& record) {
    const std::string scored = formatByPattern(record.firstSignalDistance, "##0.0") + " nm";
    if (!record.firstHeard)
        return "The ELT was never heard: the score counts its first signal at " + scored + ".";
    const auto real = flownTo(record, *record.firstHeard);
    // Half the shortest step: anything less is the same point counted in floats.
    if (!real || std::fabs(*real - record.firstSignalDistance) < 0.125f) return "";
    const std::string where =
        *real == 0 ? "already at the airport" : "after " + formatByPattern(*real, "##0.0") + " nm";
    return "The ELT was heard " + where + " (the wide red ring); the score counts it from " +
           scored + ".";
}

} // namespace

DebriefNumbers debriefNumbers(const logbook::SearchRecord& record) {
    DebriefNumbers n;
    n.date = readableTime(record.timeUtc);
    n.firstSignal = miles(record.firstSignalDistance);
    if (const auto& heard = record.firstHeard) {
        n.flownAfterSignal = miles(flownSince(record, *heard));
        n.straightLine =
            miles(distanceAndBearing(heard->x, heard->y, record.eltX, record.eltY, record.mapScale)
                      .distance);
    } else {
        n.flownAfterSignal = "Not heard";
        n.straightLine = "Not heard";
    }
    n.signalNote = signalNote(record);
    n.hints = std::to_string(record.hints);
    n.bearingUsed = record.bearingUsed ? "Yes" : "No";
    n.score = record.scoreText.empty() ? "0" : record.scoreText;
    n.rating = record.rating;
    return n;
}

} // namespace debrief
