// SPDX-License-Identifier: MIT
#include "wave_file.h"

#include "platform/files.h"

#include <cstring>

namespace ui {

namespace {

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

bool tagAt(const std::vector<std::uint8_t>& b, std::size_t at, const char* four) {
    return std::memcmp(b.data() + at, four, 4) == 0;
}

std::optional<WaveSound> refuse(WaveRefusal& refusal, std::string reason) {
    refusal.reason = std::move(reason);
    return std::nullopt;
}

} // namespace

std::optional<WaveSound> parseWave(std::vector<std::uint8_t> bytes, WaveRefusal& refusal) {
    if (bytes.size() < 12 || !tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "WAVE"))
        return refuse(refusal, "not a RIFF/WAVE file");
    WaveSound sound;
    bool haveFormat = false;
    std::size_t at = 12;
    // Chunks follow one another, each padded to an even size; unknown ones are passed over.
    while (bytes.size() - at >= 8) {
        const std::size_t size = le(bytes, at + 4, 4);
        const std::size_t body = at + 8;
        if (size > bytes.size() - body)
            return refuse(refusal, "a chunk runs past the end of the file (truncated?)");
        if (tagAt(bytes, at, "fmt ")) {
            if (size < 16) return refuse(refusal, "its format chunk is too short");
            const auto format = le(bytes, body, 2);
            sound.channels = static_cast<int>(le(bytes, body + 2, 2));
            sound.sampleRate = static_cast<int>(le(bytes, body + 4, 4));
            const auto byteRate = le(bytes, body + 8, 4);
            const auto blockAlign = le(bytes, body + 12, 2);
            sound.bitsPerSample = static_cast<int>(le(bytes, body + 14, 2));
            if (format != 1) return refuse(refusal, "its samples are not plain PCM");
            if (sound.channels < 1 || sound.channels > 2 ||
                (sound.bitsPerSample != 8 && sound.bitsPerSample != 16) ||
                sound.sampleRate < 8000 || sound.sampleRate > 192000)
                return refuse(refusal, "its sample format is not one we play");
            const auto frame = static_cast<std::uint32_t>(sound.channels * sound.bitsPerSample / 8);
            if (blockAlign != frame || byteRate != frame * std::uint32_t(sound.sampleRate))
                return refuse(refusal, "its format chunk contradicts itself");
            haveFormat = true;
        } else if (tagAt(bytes, at, "data")) {
            if (!haveFormat) return refuse(refusal, "it has no format chunk before its data");
            const auto frame = static_cast<std::size_t>(sound.channels * sound.bitsPerSample / 8);
            sound.samplesAt = body;
            sound.samplesSize = size / frame * frame;
            if (sound.samplesSize == 0) return refuse(refusal, "it holds no sound");
            sound.bytes = std::move(bytes);
            return sound;
        }
        at = body + size + (size & 1);
        if (at > bytes.size()) break;
    }
    return refuse(refusal, "it has no data chunk");
}

std::optional<WaveSound> readWaveFile(const std::string& path, WaveRefusal& refusal) {
    auto bytes = platform::readPlainFile(path, maxWaveFileBytes, refusal.reason);
    if (!bytes) return std::nullopt;
    return parseWave(std::move(*bytes), refusal);
}

} // namespace ui
