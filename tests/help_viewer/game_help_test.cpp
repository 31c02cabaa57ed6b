// SPDX-License-Identifier: MIT
// The game and its help viewer: Exit leaves the viewer open, closing the main window closes it.
#include "support/real_game.h"
#include "ui/qt/help_exchange.h"
#include "ui/qt/help_protocol.h"
#include "viewer_processes.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace {

namespace help = ui::qt::help;

// Waits until the viewer answers (or, with `answering` false, stops answering).
bool viewerAnswers(const QString& file, bool answering) {
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (help::exchange(channelOf(file).socketPath, help::statusRequest()).has_value() ==
            answering)
            return true;
        QThread::msleep(50);
    }
    return false;
}

class GameHelp : public ::testing::Test {
protected:
    // The game finds its help file and its viewer beside itself.
    const QString file = QCoreApplication::applicationDirPath() + "/qr64.HLP";
    void TearDown() override { endViewersOf(file); }
};

TEST_F(GameHelp, exitLeavesTheViewerOpenAndClosingTheWindowClosesIt) {
    {
        RealGame g;
        g.runtime.click(*g.game.main->cmdHelp);
        ASSERT_TRUE(viewerAnswers(file, true)) << "Help starts the viewer";
        g.runtime.click(*g.game.main->cmdExit);
        ASSERT_TRUE(g.runtime.ended());
    }
    QThread::msleep(300);
    EXPECT_TRUE(viewerAnswers(file, true)) << "Exit leaves the viewer open";

    RealGame g;
    g.runtime.closeRequest(*g.game.main.existing());
    ASSERT_TRUE(g.runtime.ended());
    EXPECT_TRUE(viewerAnswers(file, false)) << "closing the window closes the help file";
}

} // namespace
