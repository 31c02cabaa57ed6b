// SPDX-License-Identifier: MIT
#pragma once

#include "sound/wave_file.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ui {

// A sound made into a loop that plays on without a seam: 16-bit frames, one or two channels.
struct SoundLoop {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples; // interleaved

    std::size_t frames() const { return channels ? samples.size() / std::size_t(channels) : 0; }
};

// The steady middle of `sound` as a loop. A file that fades in and out at its ends would dip
// at every turn, and one cut anywhere would click: the loop leaves the fades out, ends where
// the sound best matches what comes just before the loop's start, and crossfades its last
// moments into that, so the last frame leads into the first as the sound itself would. A
// sound too short or too quiet to find a steady middle in loops whole.
SoundLoop makeSoundLoop(const WaveSound& sound);

// Plays a loop round and round at a volume that only ever changes by a short fade, so that
// starting, stopping and a new loudness never make the wave jump.
class LoopVoice {
public:
    static constexpr double fadeSeconds = 0.04; // from silence to full, or back

    explicit LoopVoice(SoundLoop loop);

    const SoundLoop& loop() const { return loop_; }

    // Fades to `volume` (linear, 0 to 1); 0 fades out to silence.
    void fadeTo(float volume);
    // What was heard is gone (the device was opened afresh): the next frame fades up from
    // silence again.
    void fromSilence() { gain_ = 0; }
    // At rest in silence: nothing is heard, and nothing will be until the next fade up.
    bool silent() const { return gain_ == 0 && target_ == 0; }

    // The next `frames` frames into `out`, silence while silent. The loop runs on through
    // silence, so that a fade up meets the wave where it is.
    void render(std::int16_t* out, std::size_t frames);

private:
    SoundLoop loop_;
    std::size_t at_ = 0; // the next frame of the loop
    double gain_ = 0;
    double target_ = 0;
    double step_ = 1; // the most the gain moves from one frame to the next
};

} // namespace ui
