// SPDX-License-Identifier: MIT
#include "flight_log.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace logbook {

namespace {

constexpr double kSecondsPerDay = 86400;

TrackPoint pointOf(const SearchState& s) {
    return {s.aircraftX, s.aircraftY, s.heading, s.speedStep};
}

} // namespace

void FlightLog::begin(const SearchState& s, double clock, std::string exercise) {
    ++number_;
    exercise_ = std::move(exercise);
    track_.assign(1, pointOf(s));
    firstHeard_.reset();
    bearingUsed_ = false;
    startClock_ = clock;
    search_ = 0;
    lastReveal_.reset();
    revealPoints_.clear();
}

void FlightLog::step(const SearchState& s) {
    track_.push_back(pointOf(s));
}

void FlightLog::putBack(const SearchState& s) {
    TrackPoint p = pointOf(s);
    p.speedStep = 0;
    track_.push_back(p);
}

void FlightLog::heard(const SearchState& s) {
    if (!firstHeard_) firstHeard_ = pointOf(s);
}

SearchRecord FlightLog::reveal(const SearchState& s, double clock, std::string timeUtc) const {
    SearchRecord r;
    r.search = search_;
    r.timeUtc = std::move(timeUtc);
    r.eltX = s.eltX;
    r.eltY = s.eltY;
    r.vorX = s.vorX;
    r.vorY = s.vorY;
    r.airportX = s.airportX;
    r.airportY = s.airportY;
    r.mapScale = s.mapScale;
    r.track = track_;
    r.firstHeard = firstHeard_;
    r.distanceFlown = s.distanceFlown;
    r.firstSignalDistance = s.firstSignalDistance;
    r.hints = s.hintCount;
    r.bearingUsed = bearingUsed_ || s.bearingShown != 0;
    r.minutes = minutesBetween(startClock_, clock);
    r.exercise = exercise_;
    return r;
}

void FlightLog::written(const SearchRecord& r) {
    search_ = r.search;
    if (lastReveal_) lastReveal_->search = r.search;
}

void FlightLog::revealed(SearchRecord r) {
    if (!r.track.empty()) revealPoints_.push_back(r.track.back());
    lastReveal_ = std::move(r);
}

double minutesBetween(double startClock, double endClock) {
    double seconds = endClock - startClock;
    if (seconds < 0) seconds += kSecondsPerDay;
    return seconds / 60;
}

std::string utcText(std::int64_t secondsSince1970) {
    using namespace std::chrono;
    const sys_seconds now{seconds{secondsSince1970}};
    const sys_days day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{now - day};
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()));
    return text;
}

} // namespace logbook
