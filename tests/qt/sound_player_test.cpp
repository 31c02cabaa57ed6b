// SPDX-License-Identifier: MIT
// A tone file that is not a short wave file never reaches the sound library. That the game never
// waits for the sound device is the hung sound server's test.
#include "assets/tone/elt_tone.h"
#include "sound/sound_device.h"

#include <fstream>
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

const QString kToneFile = QStringLiteral(VANTREL_BIN_DIR "/elt1.wav");

void write(const QString& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Such files once reached the sound library: a cut-off file made it leak, a huge one was read
// whole, a pipe would block its reader. Now the device plays or loops only what the wave reader
// takes (its own test says which), names a refused file once on standard error, and goes on.
TEST(SoundPlayer, aToneFileThatIsNotAShortWaveFileIsRefusedAndNamedOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto tone = assets::waveFile(assets::eltToneSamples(), assets::EltTone::sampleRate);
    write(dir.filePath("short.wav"), {tone.begin(), tone.begin() + 30});
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.wav")).constData(), 0600), 0);
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    const auto now = ui::qt::SoundOutput::Clock::now;

    testing::internal::CaptureStderr();
    {
        // The device itself, on this thread, so that every refusal has been told at its end.
        ui::qt::SoundDevice device;
        device.play(path("short.wav"), now());
        device.play(path("short.wav"), now());
        device.startLoop(path("pipe.wav"), 1); // nor is a loop of them
        device.play(kToneFile.toStdString(), now());
    }
    const std::string told = testing::internal::GetCapturedStderr();
    for (const char* name : {"short.wav", "pipe.wav"}) {
        const std::string refused = path(name) + " is not played";
        const auto first = told.find(refused);
        EXPECT_TRUE(first != std::string::npos &&
                    told.find(refused, first + 1) == std::string::npos)
            << name << " in: " << told;
    }
    EXPECT_EQ(told.find(kToneFile.toStdString() + " is not"), std::string::npos) << told;
}

} // namespace
