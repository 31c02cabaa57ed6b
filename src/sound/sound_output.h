// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <QObject>
#include <string>

namespace ui::qt {

// What the sound player asks of the sound thread: the sound device, or a test's recording of
// what it is asked. Made on the game's thread, then used and destroyed on the sound thread.
class SoundOutput : public QObject {
public:
    using Clock = std::chrono::steady_clock;

    // Plays the wave file at `path` (the platform's own bytes) once from its start, as asked
    // for at `askedAt`.
    virtual void play(const std::string& path, Clock::time_point askedAt) = 0;
    // Loops the wave file at `path` from its start at `volume`, the device's own linear scale.
    virtual void startLoop(const std::string& path, float volume) = 0;
    // The looping sound goes on, at `volume`.
    virtual void setLoopVolume(float volume) = 0;
    // The loop fades out, and has been heard to its end `stopHeardWithin` later.
    virtual void stopLoop() = 0;
    static constexpr auto stopHeardWithin = std::chrono::milliseconds(350);
};

} // namespace ui::qt
