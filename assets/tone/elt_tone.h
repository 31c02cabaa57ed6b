// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// The sound of an ELT on 121.5 MHz as a receiver plays it: a tone sweeping down from about
// 1600 Hz to 300 Hz, three times a second, for three seconds, fading in and out so it does not
// click. 16-bit samples, mono.
struct EltTone {
    static constexpr int sampleRate = 22050;
    static constexpr double seconds = 3.0;
    static constexpr double sweepsPerSecond = 3.0;
    static constexpr double kHighHz = 1600;
    static constexpr double kLowHz = 300;
};

std::vector<std::int16_t> eltToneSamples();

// A canonical 44-byte-header PCM wave file of the samples.
std::vector<std::uint8_t> waveFile(const std::vector<std::int16_t>& samples, int sampleRate);

} // namespace assets
