// SPDX-License-Identifier: MIT
// The ELT tone file: a wave file a sound device can play, sweeping down, without clicks.
#include "assets/tone/elt_tone.h"
#include "sound/sound_loop.h"

#include <algorithm>
#include <cmath>
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

// The tone looped as the receiver plays it: faded up, round the loop twice, faded out. Its
// turns and its fades never jump further between two samples than the tone itself, and no
// 10 ms of it between the fades is quieter than the tone at full.
TEST(EltTone, loopsWithoutADipOrAJumpAndFadesInAndOut) {
    const auto tone = assets::eltToneSamples();
    ui::WaveRefusal refusal;
    const auto sound = ui::parseWave(assets::waveFile(tone, EltTone::sampleRate), refusal);
    ASSERT_TRUE(sound) << refusal.reason;
    int toneStep = 0, tonePeak = 0;
    for (std::size_t i = 1; i < tone.size(); ++i) {
        toneStep = std::max(toneStep, std::abs(int(tone[i]) - tone[i - 1]));
        tonePeak = std::max(tonePeak, std::abs(int(tone[i])));
    }
    ui::LoopVoice voice(ui::makeSoundLoop(*sound));
    const std::size_t length = voice.loop().frames();
    ASSERT_GT(length, std::size_t(EltTone::sampleRate)); // most of the file, not a sliver
    const auto fade = std::size_t(ui::LoopVoice::fadeSeconds * EltTone::sampleRate) + 1;
    std::vector<std::int16_t> heard(1 + 2 * length + 2 * fade); // silence, then the voice
    voice.fadeTo(1);
    voice.render(heard.data() + 1, 2 * length + fade);
    voice.fadeTo(0);
    voice.render(heard.data() + 1 + 2 * length + fade, fade);
    EXPECT_TRUE(voice.silent());
    int step = 0;
    for (std::size_t i = 1; i < heard.size(); ++i)
        step = std::max(step, std::abs(int(heard[i]) - heard[i - 1]));
    EXPECT_LE(step, toneStep * 1.02);
    const std::size_t window = EltTone::sampleRate / 100;
    for (std::size_t w = fade; w + window <= 2 * length + fade; w += window) {
        int level = 0;
        for (std::size_t i = w; i < w + window; ++i)
            level = std::max(level, std::abs(int(heard[i])));
        ASSERT_GT(level, 0.89 * tonePeak) << "a dip " << double(w) / EltTone::sampleRate << " s in";
    }
    EXPECT_EQ(heard.back(), 0);
}

} // namespace
