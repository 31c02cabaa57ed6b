// SPDX-License-Identifier: MIT
// The game and its help viewer: Exit leaves the viewer open, closing the main window closes it.
#include "game/view_menu.h"
#include "support/real_game.h"
#include "viewer_processes.h"
#include "viewer_server.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QThread>

namespace {

namespace help = ui::qt::help;

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
        ASSERT_TRUE(waitForViewer(file)) << "Help starts the viewer";
        g.runtime.click(*g.game.main->cmdExit);
        ASSERT_TRUE(g.runtime.ended());
    }
    QThread::msleep(300);
    EXPECT_TRUE(waitForViewer(file)) << "Exit leaves the viewer open";

    RealGame g;
    g.runtime.closeRequest(*g.game.main.existing());
    ASSERT_TRUE(g.runtime.ended());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !viewerStatus(file); }, kStartMs))
        << "closing the window closes the help file";
}

// The viewer opened from the game follows the game's zoom from then on, and only then.
TEST_F(GameHelp, theOpenViewerFollowsTheGamesZoom) {
    QObject context;
    QList<help::Request> heard;
    vantrel_help::ViewerServer viewer(channelOf(file).socketPath, &context,
                                      [&heard](const help::Request& r) { heard << r; });
    ASSERT_TRUE(viewer.listen());
    RealGame g;
    g.host.largestZoomAllowed = 4.0;
    setZoomLevel(g.game, 150);
    g.runtime.click(*g.game.main->cmdHelp);
    setZoomLevel(g.game, 200);
    (void)QTest::qWaitFor([&heard] { return heard.size() >= 2; }, 5000);
    QCoreApplication::processEvents();
    ASSERT_EQ(heard.size(), 2) << "nothing before Help is pressed";
    EXPECT_FALSE(heard[0].zoomOnly);
    EXPECT_EQ(heard[0].zoom, 150);
    EXPECT_TRUE(heard[1].zoomOnly);
    EXPECT_EQ(heard[1].zoom, 200);
    viewer.close();
}

} // namespace
