// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace debrief {

// Where the replayed aircraft is, in map units, and which way its nose points.
struct ReplayPose {
    double x = 0, y = 0;
    std::int16_t heading = 0;
};

// The aircraft `steps` steps into the track. Between two positions it lies on the straight line
// joining them, showing the heading it flew that step; on a position it shows that position's
// heading. Before a point it was put at (a break in the track) it waits where it was, then
// jumps. Before the start or past the end it waits at the end; an empty track has no aircraft.
std::optional<ReplayPose> poseAt(const std::vector<logbook::TrackPoint>& track, double steps);

// The cell of the aircraft strip for a heading: one per 45 degrees from north, 360 north again.
int aircraftCell(std::int16_t heading);

// A flight replayed at a chosen speed, driven by the real time that passes.
class Replay {
public:
    // Steps flown per second at 1x: a typical search of a hundred or two steps replays in under
    // a minute, and 8x shows the whole pattern in a few seconds.
    static constexpr double stepsPerSecond = 4;

    explicit Replay(std::vector<logbook::TrackPoint> track = {});

    const std::vector<logbook::TrackPoint>& track() const { return track_; }

    // Plays on from where it stands; from the start again when it stands at the end.
    void play();
    void pause() { playing_ = false; }
    bool playing() const { return playing_; }
    // Back at the start, paused.
    void restart();

    // How many times faster than 1x; anything below 1 counts as 1.
    void setSpeed(int times);
    int speed() const { return speed_; }

    // Lets `seconds` of real time pass: while playing the aircraft flies on, and on reaching the
    // last position it stops there and the replay pauses.
    void advance(double seconds);

    double steps() const { return steps_; }
    bool atEnd() const { return steps_ >= lastStep(); }
    std::optional<ReplayPose> pose() const { return poseAt(track_, steps_); }

private:
    double lastStep() const;

    std::vector<logbook::TrackPoint> track_;
    double steps_ = 0;
    int speed_ = 1;
    bool playing_ = false;
};

// Turns readings of the runtime's clock, seconds since midnight, into the time between frames.
// Across midnight the clock falls back to 0, and the time is still the short one that passed.
// A gap longer than `kLongestFrame` (the program held up, a message box open) counts as one
// frame, so the aircraft goes on from where it was seen rather than jumping ahead.
class FrameClock {
public:
    static constexpr double kSecondsPerDay = 86400;
    static constexpr double kLongestFrame = 0.25;

    // Starts counting from this reading.
    void start(double now) { last_ = now; }
    // The seconds since the previous reading.
    double elapsed(double now);

private:
    double last_ = 0;
};

} // namespace debrief
