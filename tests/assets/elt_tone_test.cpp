// SPDX-License-Identifier: MIT
// The ELT tone file: a wave file a sound device can play, sweeping down, without clicks.
#include "assets/tone/elt_tone.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

using assets::EltTone;

// The average frequency over a stretch of samples, from its zero crossings.
double frequencyAt(const std::vector<std::int16_t>& s, double fromSecond, double seconds) {
    const auto begin = static_cast<std::size_t>(fromSecond * EltTone::sampleRate);
    const auto end = begin + static_cast<std::size_t>(seconds * EltTone::sampleRate);
    int crossings = 0;
    for (auto i = begin + 1; i < end; ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings / 2.0 / seconds;
}

TEST(EltTone, sweepsDownThreeTimesASecondForThreeSeconds) {
    const auto s = assets::eltToneSamples();
    EXPECT_EQ(s.size(), std::size_t(3 * EltTone::sampleRate));
    const double sweep = 1 / EltTone::sweepsPerSecond;
    for (int n = 0; n < 9; ++n) {
        const double start = n * sweep;
        const double high = frequencyAt(s, start + 0.1 * sweep, 0.1 * sweep);
        const double low = frequencyAt(s, start + 0.8 * sweep, 0.1 * sweep);
        EXPECT_NEAR(high, 1600 - 1300 * 0.15, 120) << "sweep " << n;
        EXPECT_NEAR(low, 1600 - 1300 * 0.85, 120) << "sweep " << n;
    }
}

TEST(EltTone, fadesInAndOutAndNeverJumps) {
    const auto s = assets::eltToneSamples();
    EXPECT_EQ(s.front(), 0);
    EXPECT_LT(std::abs(s.back()), 200);
    int peak = 0, biggestStep = 0;
    for (std::size_t i = 1; i < s.size(); ++i) {
        peak = std::max(peak, std::abs(int(s[i])));
        biggestStep = std::max(biggestStep, std::abs(int(s[i]) - s[i - 1]));
    }
    EXPECT_GT(peak, 15000);
    EXPECT_LT(peak, 32767);
    // At 1600 Hz a full-amplitude sine moves at most about 0.45 of its peak between samples.
    EXPECT_LT(biggestStep, 0.5 * peak);
}

TEST(EltTone, waveFileHasAStandardPcmHeader) {
    const std::vector<std::int16_t> samples{0, 1000, -1000};
    const auto bytes = assets::waveFile(samples, 22050);
    ASSERT_EQ(bytes.size(), 44u + 6u);
    EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(bytes[20], 1);  // PCM
    EXPECT_EQ(bytes[22], 1);  // mono
    EXPECT_EQ(bytes[34], 16); // bits
    EXPECT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0);
    EXPECT_EQ(bytes[40], 6);
    EXPECT_EQ(bytes[46], 1000 & 0xff);
}

} // namespace
