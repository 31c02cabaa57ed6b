// SPDX-License-Identifier: MIT
// The ELT tone on a machine that may have no sound device: the game never waits and never
// stops for it, and a tone file that is not a short wave file never reaches the sound library.
#include "assets/tone/elt_tone.h"
#include "sound/sound_device.h"
#include "ui/qt/qt_host.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

const QString toneFile = QStringLiteral(VANTREL_BIN_DIR "/elt1.wav");

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
    ASSERT_TRUE(QFile::exists(toneFile)) << "the build places the tone beside the executables";
    ui::qt::QtHost host;
    QElapsedTimer clock;
    clock.start();
    host.multimediaFileName(toneFile.toStdString());
    host.multimediaCommand("Open", toneFile.toStdString());
    host.multimediaCommand("Open", toneFile.toStdString()); // again while it plays
    host.multimediaLoop(toneFile.toStdString(), 0.5f);      // and looping, louder, stopped
    host.multimediaLoop(toneFile.toStdString(), 1);
    host.multimediaLoop(toneFile.toStdString(), 0);
    EXPECT_LT(clock.elapsed(), 2000); // generous: it must not play through
    spinEventLoop(300);
}

// Each of these once reached the sound library: a cut-off file made it leak, a huge one was
// read whole, a pipe would block its reader. Now each is refused before, named once on standard
// error, and the game goes on.
TEST(SoundPlayer, aToneFileThatIsNotAShortWaveFileIsRefusedAndNamedOnce) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto tone = assets::waveFile(assets::eltToneSamples(), assets::EltTone::sampleRate);
    write(dir.filePath("short.wav"), {tone.begin(), tone.begin() + 30});
    write(dir.filePath("text.wav"), {'n', 'o', 't', ' ', 'a', ' ', 's', 'o', 'u', 'n', 'd'});
    write(dir.filePath("huge.wav"), {tone.begin(), tone.begin() + 44});
    std::filesystem::resize_file(dir.filePath("huge.wav").toStdString(), 1'500'000'000);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.wav")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("elt1.wav"));
    const auto path = [&](const char* name) { return dir.filePath(name).toStdString(); };
    const auto now = ui::qt::SoundOutput::Clock::now;

    testing::internal::CaptureStderr();
    {
        // The device itself, on this thread, so that every refusal has been told at its end.
        ui::qt::SoundDevice device;
        for (const char* name : {"short.wav", "short.wav", "text.wav", "huge.wav", "elt1.wav"})
            device.play(path(name), now());
        device.startLoop(path("pipe.wav"), 1); // nor is a loop of them
        device.play(toneFile.toStdString(), now());
    }
    const std::string told = testing::internal::GetCapturedStderr();
    for (const char* name : {"short.wav", "text.wav", "huge.wav", "elt1.wav", "pipe.wav"}) {
        const std::string refused = path(name) + " is not played";
        const auto first = told.find(refused);
        EXPECT_TRUE(first != std::string::npos &&
                    told.find(refused, first + 1) == std::string::npos)
            << name << " in: " << told;
    }
    EXPECT_EQ(told.find(toneFile.toStdString() + " is not"), std::string::npos) << told;
}

} // namespace
