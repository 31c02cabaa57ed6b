// SPDX-License-Identifier: MIT
#include "replay.h"

#include <algorithm>
#include <cmath>

namespace debrief {

std::optional<ReplayPose> poseAt(const std::vector<logbook::TrackPoint>& track, double steps) {
    if (track.empty()) return std::nullopt;
    const double last = static_cast<double>(track.size() - 1);
    const double at = std::isfinite(steps) ? std::clamp(steps, 0.0, last) : 0.0;
    const auto from = static_cast<std::size_t>(std::floor(at));
    const double part = at - static_cast<double>(from);
    const logbook::TrackPoint& a = track[from];
    if (part == 0) return ReplayPose{double(a.x), double(a.y), a.heading};
    const logbook::TrackPoint& b = track[from + 1];
    // Nothing was flown to a point the aircraft was put at: it waits, then jumps there.
    if (b.putBack()) return ReplayPose{double(a.x), double(a.y), a.heading};
    return ReplayPose{a.x + (b.x - a.x) * part, a.y + (b.y - a.y) * part, b.heading};
}

int aircraftCell(std::int16_t heading) {
    return ((heading / 45) % 8 + 8) % 8;
}

Replay::Replay(std::vector<logbook::TrackPoint> track) : track_(std::move(track)) {}

double Replay::lastStep() const {
    return track_.empty() ? 0 : static_cast<double>(track_.size() - 1);
}

void Replay::play() {
    if (atEnd()) steps_ = 0;
    // A track of one position or none has nowhere to fly.
    playing_ = !atEnd();
}

void Replay::restart() {
    steps_ = 0;
    playing_ = false;
}

void Replay::setSpeed(int times) {
    speed_ = std::max(times, 1);
}

void Replay::advance(double seconds) {
    if (!playing_ || !(seconds > 0)) return;
    steps_ = std::min(steps_ + seconds * stepsPerSecond * speed_, lastStep());
    if (atEnd()) playing_ = false;
}

double FrameClock::elapsed(double now) {
    double seconds = now - last_;
    if (seconds < 0) seconds += kSecondsPerDay;
    last_ = now;
    return std::clamp(seconds, 0.0, kLongestFrame);
}

} // namespace debrief
