// SPDX-License-Identifier: MIT
#include "elt_tone.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assets {

std::vector<std::int16_t> eltToneSamples() {
    using T = EltTone;
    const auto count = static_cast<std::size_t>(T::sampleRate * T::seconds);
    const double fade = 0.03 * T::sampleRate; // 30 ms at each end
    std::vector<std::int16_t> samples(count);
    double phase = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = double(i) / T::sampleRate;
        const double sweep = std::fmod(t * T::sweepsPerSecond, 1.0); // 0 to 1 within a sweep
        const double hz = T::kHighHz + (T::kLowHz - T::kHighHz) * sweep;
        // The phase runs on through the jump back to the top, so the waveform never breaks.
        phase += 2 * std::numbers::pi * hz / T::sampleRate;
        const double envelope = std::min({1.0, double(i) / fade, double(count - 1 - i) / fade});
        samples[i] =
            static_cast<std::int16_t>(std::lround(0.6 * 32767 * envelope * std::sin(phase)));
    }
    return samples;
}

std::vector<std::uint8_t> waveFile(const std::vector<std::int16_t>& samples, int sampleRate) {
    std::vector<std::uint8_t> out;
    auto put = [&out](std::uint32_t v, int bytes) {
        for (int b = 0; b < bytes; ++b)
            out.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
    };
    auto tag = [&out](const char* four) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<std::uint8_t>(four[i]));
    };
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    tag("RIFF");
    put(36 + dataBytes, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);                                         // size of the format chunk
    put(1, 2);                                          // PCM
    put(1, 2);                                          // mono
    put(static_cast<std::uint32_t>(sampleRate), 4);     // samples a second
    put(static_cast<std::uint32_t>(sampleRate) * 2, 4); // bytes a second
    put(2, 2);                                          // bytes a sample frame
    put(16, 2);                                         // bits a sample
    tag("data");
    put(dataBytes, 4);
    for (auto s : samples)
        put(static_cast<std::uint16_t>(s), 2);
    return out;
}

} // namespace assets
