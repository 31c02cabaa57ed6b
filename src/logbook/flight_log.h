// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"
#include "model/search_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace logbook {

// What the logbook needs of a search while it is flown: the track, where the ELT was first
// heard, whether the bearing was ever shown, and when the search began. At each Reveal it makes
// the record of the search as it stands.
class FlightLog {
public:
    // A new search laid out; `clock` is seconds since midnight. `exercise` names the
    // squadron's exercise it lays out, "" for a random search.
    void begin(const SearchState& s, double clock, std::string exercise = {});
    // The aircraft has made one step.
    void step(const SearchState& s);
    // The aircraft has been put where it stands without flying there; the track breaks.
    void putBack(const SearchState& s);
    // The ELT is heard at the aircraft's position; only the first time counts.
    void heard(const SearchState& s);
    void bearingShown() { bearingUsed_ = true; }

    // The record of a Reveal now: the caller adds the score and rating. Searches are tied
    // together by `search`, which the logbook gives at the first write.
    SearchRecord reveal(const SearchState& s, double clock, std::string timeUtc) const;
    // The search number the logbook gave this search, for the Reveals that follow.
    void written(const SearchRecord& r);
    bool begun() const { return !track_.empty(); }
    // Which search of the run this is (1 for the first begun), and its number in the logbook
    // (0 until its first Reveal is written).
    int number() const { return number_; }
    std::int64_t search() const { return search_; }

    // The newest Reveal of this search, and where each Reveal of it so far took place.
    const std::optional<SearchRecord>& lastReveal() const { return lastReveal_; }
    const std::vector<TrackPoint>& revealPoints() const { return revealPoints_; }
    void revealed(SearchRecord r);

private:
    std::vector<TrackPoint> track_;
    std::optional<TrackPoint> firstHeard_;
    bool bearingUsed_ = false;
    double startClock_ = 0;
    std::string exercise_;
    std::int64_t search_ = 0;
    int number_ = 0;
    std::optional<SearchRecord> lastReveal_;
    std::vector<TrackPoint> revealPoints_;
};

// Minutes from one clock reading to a later one; the clock runs from 0 to 86400 seconds and
// starts again at midnight, so a later reading may be the smaller.
double minutesBetween(double startClock, double endClock);

// A time given in seconds since 1970, in UTC, as "2026-12-07T14:03:59Z".
std::string utcText(std::int64_t secondsSince1970);

} // namespace logbook
