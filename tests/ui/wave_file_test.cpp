// SPDX-License-Identifier: MIT
// The sound file the game hands to the sound device: only a plain PCM wave file of bounded
// size whose chunks lie within it is taken; anything else is refused, never read whole, and
// never waited on.
#include "assets/tone/elt_tone.h"
#include "sound/wave_file.h"
#include "support/temp_folder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

void put(Bytes& out, std::uint32_t v, int size) {
    for (int b = 0; b < size; ++b)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * b)));
}

void tag(Bytes& out, const char* four) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(four[i]));
}

// The fields of a format chunk; block size and byte rate follow from the others unless given.
struct Format {
    std::uint32_t tag = 1, channels = 1, rate = 22050, bits = 16;
    int blockAlign = -1, byteRate = -1;
};

Bytes chunk(const char* id, const Bytes& body, std::uint32_t size) {
    Bytes out;
    tag(out, id);
    put(out, size, 4);
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2) out.push_back(0);
    return out;
}

Bytes formatChunk(const Format& f) {
    const std::uint32_t block =
        f.blockAlign >= 0 ? std::uint32_t(f.blockAlign) : f.channels * f.bits / 8;
    Bytes body;
    put(body, f.tag, 2);
    put(body, f.channels, 2);
    put(body, f.rate, 4);
    put(body, f.byteRate >= 0 ? std::uint32_t(f.byteRate) : f.rate * block, 4);
    put(body, block, 2);
    put(body, f.bits, 2);
    return chunk("fmt ", body, 16);
}

Bytes dataChunk(std::size_t bytes) {
    return chunk("data", Bytes(bytes, 0x11), static_cast<std::uint32_t>(bytes));
}

Bytes riff(const std::vector<Bytes>& chunks) {
    Bytes out;
    tag(out, "RIFF");
    Bytes body;
    tag(body, "WAVE");
    for (const auto& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    put(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes theTone(std::size_t cutTo = ~std::size_t{0}) {
    Bytes b = assets::waveFile(assets::eltToneSamples(), assets::EltTone::sampleRate);
    b.resize(std::min(b.size(), cutTo));
    return b;
}

TEST(WaveFile, takesPlainPcmAndRefusesEverythingElse) {
    Bytes withOddChunk = riff({formatChunk({}), chunk("LIST", Bytes(3, 'x'), 3), dataChunk(8)});
    Bytes sizeBeyondEnd = riff({formatChunk({}), dataChunk(8)});
    sizeBeyondEnd[40] = 9; // the data chunk claims one byte more than the file holds
    Bytes endless = riff({formatChunk({}), dataChunk(8)});
    for (std::size_t i = 40; i < 44; ++i)
        endless[i] = 0xff;

    struct Case {
        const char* what;
        Bytes bytes;
        bool taken;
        std::size_t samples = 0;
    };
    const std::vector<Case> cases{
        {"the game's own tone", theTone(), true, 3 * 22050 * 2},
        {"8-bit stereo at 8 kHz", riff({formatChunk({1, 2, 8000, 8}), dataChunk(6)}), true, 6},
        {"16-bit at 192 kHz", riff({formatChunk({1, 1, 192000, 16}), dataChunk(4)}), true, 4},
        {"a chunk of odd size before the data", withOddChunk, true, 8},
        {"a half sample frame at the end", riff({formatChunk({}), dataChunk(5)}), true, 4},
        {"cut to 30 bytes", theTone(30), false},
        {"cut inside its samples", theTone(1000), false},
        {"a data size past the end", sizeBeyondEnd, false},
        {"a data size of 4 GiB", endless, false},
        {"only the RIFF header", theTone(12), false},
        {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}, false},
        {"RIFF of another kind",
         [] {
             Bytes b = theTone();
             b[8] = 'A';
             return b;
         }(),
         false},
        {"floating-point samples", riff({formatChunk({3, 1, 22050, 32}), dataChunk(8)}), false},
        {"no channels", riff({formatChunk({1, 0, 22050, 16}), dataChunk(8)}), false},
        {"three channels", riff({formatChunk({1, 3, 22050, 16}), dataChunk(12)}), false},
        {"24-bit samples", riff({formatChunk({1, 1, 22050, 24}), dataChunk(6)}), false},
        {"7999 Hz", riff({formatChunk({1, 1, 7999, 16}), dataChunk(8)}), false},
        {"192001 Hz", riff({formatChunk({1, 1, 192001, 16}), dataChunk(8)}), false},
        {"a wrong block size", riff({formatChunk({1, 1, 22050, 16, 4}), dataChunk(8)}), false},
        {"a wrong byte rate", riff({formatChunk({1, 1, 22050, 16, -1, 1}), dataChunk(8)}), false},
        {"a short format chunk", riff({chunk("fmt ", Bytes(14, 1), 14), dataChunk(8)}), false},
        {"data before its format", riff({dataChunk(8), formatChunk({})}), false},
        {"no data chunk", riff({formatChunk({})}), false},
        {"no sound in its data", riff({formatChunk({}), dataChunk(1)}), false},
    };
    for (const Case& c : cases) {
        ui::WaveRefusal refusal;
        const auto sound = ui::parseWave(c.bytes, refusal);
        EXPECT_EQ(sound.has_value(), c.taken) << c.what << ": " << refusal.reason;
        EXPECT_EQ(refusal.reason.empty(), c.taken) << c.what;
        if (!sound || !c.taken) continue;
        EXPECT_EQ(sound->samplesSize, c.samples) << c.what;
        EXPECT_LE(sound->samplesAt + sound->samplesSize, sound->bytes.size()) << c.what;
    }
    ui::WaveRefusal refusal;
    const auto tone = ui::parseWave(theTone(), refusal);
    ASSERT_TRUE(tone);
    EXPECT_EQ(tone->sampleRate, 22050);
    EXPECT_EQ(tone->channels, 1);
    EXPECT_EQ(tone->bitsPerSample, 16);
    EXPECT_EQ(tone->samplesAt, 44u);
}

// A folder of its own for the files of one test; `file` writes one.
struct Folder : TempFolder {
    std::string file(const char* name, const Bytes& bytes) const {
        const std::string p = TempFolder::file(name);
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return p;
    }
};

TEST(WaveFile, readsOnlyRegularFilesUpToTheLimitAndNeverWaits) {
    const Folder folder;
    const std::size_t header = riff({formatChunk({}), dataChunk(0)}).size();
    const Bytes atLimit = riff({formatChunk({}), dataChunk(ui::maxWaveFileBytes - header)});
    Bytes overLimit = atLimit;
    overLimit.push_back(0);
    const std::string fifo = (folder.path / "fifo.wav").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string directory = (folder.path / "elt1.wav").string();
    std::filesystem::create_directory(directory);
    // 1.5 GB that take no room: a valid header, then a hole.
    const std::string huge = folder.file("huge.wav", riff({formatChunk({}), dataChunk(0)}));
    std::filesystem::resize_file(huge, 1'500'000'000);

    struct Case {
        const char* what;
        std::string path;
        bool taken;
    };
    const std::vector<Case> cases{
        {"the tone", folder.file("tone.wav", theTone()), true},
        {"exactly at the limit", folder.file("limit.wav", atLimit), true},
        {"one byte over the limit", folder.file("over.wav", overLimit), false},
        {"1.5 GB", huge, false},
        {"cut to 30 bytes", folder.file("short.wav", theTone(30)), false},
        {"empty", folder.file("empty.wav", {}), false},
        {"a pipe", fifo, false},
        {"a folder", directory, false},
        {"missing", (folder.path / "missing.wav").string(), false},
    };
    for (const Case& c : cases) {
        ui::WaveRefusal refusal;
        EXPECT_EQ(ui::readWaveFile(c.path, refusal).has_value(), c.taken)
            << c.what << ": " << refusal.reason;
        EXPECT_EQ(refusal.reason.empty(), c.taken) << c.what;
    }
}

} // namespace
