// SPDX-License-Identifier: MIT
#include "sound_loop.h"

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

// The sound's frames as 16-bit samples, whatever its bits.
std::vector<std::int16_t> samples16(const WaveSound& sound) {
    const auto bytes = sound.samples();
    std::vector<std::int16_t> out;
    if (sound.bitsPerSample == 8) {
        out.reserve(bytes.size());
        for (auto b : bytes)
            out.push_back(static_cast<std::int16_t>((int(b) - 128) * 256));
    } else {
        out.reserve(bytes.size() / 2);
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            out.push_back(static_cast<std::int16_t>(bytes[i] | bytes[i + 1] << 8));
    }
    return out;
}

// A frame is steady once the sound has reached nearly its full strength: a fade in or out
// leaves every sample below this share of the loudest one.
constexpr double steadyShare = 0.98;

// The most products the search for the loop's end may take: a moment's work on the sound thread.
constexpr std::size_t maxLikenessTerms = 40'000'000;

} // namespace

SoundLoop makeSoundLoop(const WaveSound& sound) {
    SoundLoop loop{sound.sampleRate, sound.channels, samples16(sound)};
    const std::size_t ch = std::size_t(std::max(1, sound.channels));
    const std::size_t frames = loop.samples.size() / ch;
    std::vector<double> mono(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        for (std::size_t c = 0; c < ch; ++c)
            mono[i] += loop.samples[i * ch + c];
        mono[i] /= double(ch);
    }
    double peak = 0;
    for (double v : mono)
        peak = std::max(peak, std::abs(v));
    if (peak < 1) return loop;
    std::size_t head = 0, tail = frames;
    while (std::abs(mono[head]) < steadyShare * peak)
        ++head;
    while (std::abs(mono[tail - 1]) < steadyShare * peak)
        --tail;
    // 20 ms of crossfade: longer than a period of any tone worth hearing, too short to be
    // heard as two sounds.
    const std::size_t fade = std::min(std::size_t(sound.sampleRate / 50), (tail - head) / 4);
    if (fade < 8) return loop;

    // The loop starts `fade` frames into the steady middle, so that what comes before its
    // start is steady too, and ends in the later half of the middle where the frames before
    // its end sound most like those before its start.
    const std::size_t start = head + fade;
    // How much the `fade` frames before `at` sound like those before the start, from -1 to 1.
    const auto likeness = [&](std::size_t at) {
        double together = 0, own = 0, theirs = 0;
        for (std::size_t j = 0; j < fade; ++j) {
            const double a = mono[start - fade + j], b = mono[at - fade + j];
            together += a * b;
            own += a * a;
            theirs += b * b;
        }
        return together / std::sqrt(std::max(1.0, own * theirs));
    };
    // Every end is tried for a short sound like the tone; a long one is tried at a stride
    // first, then frame by frame around the best, so that no file keeps the sound thread long.
    const std::size_t earliest = start + (tail - start) / 2;
    const std::size_t stride =
        std::max<std::size_t>(1, (tail - earliest + 1) * fade / maxLikenessTerms);
    std::size_t end = tail;
    double best = -2;
    const auto tryEnds = [&](std::size_t from, std::size_t to, std::size_t step) {
        for (std::size_t at = from; at <= to; at += step)
            if (const double l = likeness(at); l > best) {
                best = l;
                end = at;
            }
    };
    tryEnds(earliest, tail, stride);
    if (stride > 1)
        tryEnds(std::max(earliest, end - std::min(end, stride)), std::min(tail, end + stride), 1);

    const std::size_t length = end - start;
    std::vector<std::int16_t> looped(length * ch);
    for (std::size_t i = 0; i < length; ++i) {
        // Over the last `fade` frames the loop's end gives way to the frames before its start.
        const std::size_t into = i + fade >= length ? i + fade - length + 1 : 0;
        const double w = double(into) / double(fade + 1);
        for (std::size_t c = 0; c < ch; ++c) {
            const double own = loop.samples[(start + i) * ch + c];
            const double next = into ? loop.samples[(start + i - length) * ch + c] : 0.0;
            looped[i * ch + c] = static_cast<std::int16_t>(std::lround((1 - w) * own + w * next));
        }
    }
    loop.samples = std::move(looped);
    return loop;
}

LoopVoice::LoopVoice(SoundLoop loop) : loop_(std::move(loop)) {
    step_ = 1.0 / std::max(1.0, fadeSeconds * loop_.sampleRate);
}

void LoopVoice::fadeTo(float volume) {
    target_ = std::clamp(double(volume), 0.0, 1.0);
}

void LoopVoice::render(std::int16_t* out, std::size_t frames) {
    const std::size_t ch = std::size_t(std::max(1, loop_.channels));
    const std::size_t length = loop_.frames();
    for (std::size_t f = 0; f < frames; ++f) {
        if (gain_ < target_) gain_ = std::min(target_, gain_ + step_);
        if (gain_ > target_) gain_ = std::max(target_, gain_ - step_);
        for (std::size_t c = 0; c < ch; ++c)
            out[f * ch + c] =
                length ? static_cast<std::int16_t>(std::lround(gain_ * loop_.samples[at_ * ch + c]))
                       : 0;
        if (length && ++at_ == length) at_ = 0;
    }
}

} // namespace ui
