// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ui {

// A short PCM wave sound, read whole: the file's bytes, and where its samples lie in them.
struct WaveSound {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0; // 8 (unsigned) or 16 (signed)
    std::vector<std::uint8_t> bytes;
    std::size_t samplesAt = 0;
    std::size_t samplesSize = 0; // whole sample frames only

    std::span<const std::uint8_t> samples() const {
        return {bytes.data() + samplesAt, samplesSize};
    }
};

// The largest sound file we read: over twenty seconds of 16-bit stereo at 44.1 kHz, far more
// than a tone needs, and small enough that reading it costs the game nothing.
inline constexpr std::size_t maxWaveFileBytes = 4 * 1024 * 1024;

// Why a file was refused, in words for a person, or nothing when it was taken.
struct WaveRefusal {
    std::string reason;
};

// The sound in a RIFF/WAVE file held in `bytes`, when it is plain PCM (8 or 16 bits, one or
// two channels, 8 to 192 kHz) with a format chunk before a data chunk that lies within the
// bytes. Anything else is refused with the reason.
std::optional<WaveSound> parseWave(std::vector<std::uint8_t> bytes, WaveRefusal& refusal);

// The sound in the file at `path` (the platform's own bytes). Only a regular file of at most
// `maxWaveFileBytes` is read, and opening never waits on a pipe or device.
std::optional<WaveSound> readWaveFile(const std::string& path, WaveRefusal& refusal);

} // namespace ui
