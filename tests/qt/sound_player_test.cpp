// The ELT tone on a machine that may have no sound device: the game never waits and never
// stops for it.
#include "ui/qt/qt_host.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

namespace {

const QString toneFile = QStringLiteral(VANTREL_BIN_DIR "/elt1.wav");

void spinEventLoop(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(SoundPlayer, openingTheToneReturnsAtOnceWithOrWithoutASoundDevice) {
    ASSERT_TRUE(QFile::exists(toneFile)) << "the build places the tone beside the executables";
    ui::qt::QtHost host;
    QElapsedTimer clock;
    clock.start();
    host.multimediaFileName(toneFile.toStdString());
    host.multimediaCommand("Open", toneFile.toStdString());
    host.multimediaCommand("Open", toneFile.toStdString()); // again while it plays
    EXPECT_LT(clock.elapsed(), 2000);                       // generous: it must not play through
    spinEventLoop(300);
}

TEST(SoundPlayer, aMissingOrUnreadableFileChangesNothing) {
    ui::qt::QtHost host;
    host.multimediaCommand("Open", "/no/such/folder/elt1.wav");
    host.multimediaCommand("Open", VANTREL_BIN_DIR); // a folder, not a sound
    spinEventLoop(100);
    SUCCEED();
}

} // namespace
