// SPDX-License-Identifier: MIT
// The ELT tone on a machine that may have no sound device: the game never waits and never
// stops for it, and a tone file that is not a short wave file never reaches the sound library.
#include "assets/tone/elt_tone.h"
#include "sound/sound_device.h"
#include "ui/qt/qt_host.h"

#include <fstream>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

const QString kToneFile = QStringLiteral(VANTREL_BIN_DIR "/elt1.wav");

void spinEventLoop(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void write(const QString& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

TEST(SoundPlayer, openingTheToneReturnsAtOnceWithOrWithoutASoundDevice) {
    ASSERT_TRUE(QFile::exists(kToneFile)) << "the build places the tone beside the executables";
    ui::qt::QtHost host;
    QElapsedTimer clock;
    clock.start();
    host.multimediaFileName(kToneFile.toStdString());
    host.multimediaCommand("Open", kToneFile.toStdString());
    host.multimediaCommand("Open", kToneFile.toStdString()); // again while it plays
    host.multimediaLoop(kToneFile.toStdString(), 0.5f);      // and looping, louder, stopped
    host.multimediaLoop(kToneFile.toStdString(), 1);
    host.multimediaLoop(kToneFile.toStdString(), 0);
    EXPECT_LT(clock.elapsed(), 2000); // generous: it must not play through
    spinEventLoop(300);
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
