// SPDX-License-Identifier: MIT
// The View menu on screens of every size: the levels that fit, "Fit to Screen", the keys'
// steps, and the level the player chose, kept for the next run and for a larger screen.
#include "game/game.h"
#include "game/view_menu.h"
#include "support/fake_host.h"
#include "ui/headless/headless_host.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

struct ViewMenu : ::testing::Test {
    std::ostringstream transcript;
    FakeHost host{transcript};
    ui::Runtime runtime{host};
    Game game{runtime};

    int zoom() const { return runtime.zoom(); }
    bool offered(const char* item) { return game.main->findMenuItem(item)->enabled; }
    bool marked(const char* item) { return game.main->findMenuItem(item)->checked; }
};

TEST(FittingZoom, takesTheLargestLevelThatFitsOrExactlyWhatFitsBelowTheSmallest) {
    const struct {
        double largest;
        int level;
    } cases[] = {{9.0, 300}, {3.0, 300},   {2.9999, 200}, {2.0, 200},   {1.5, 150}, {1.4999, 100},
                 {1.0, 100}, {0.9999, 99}, {0.94, 94},    {0.2501, 25}, {0.1, 25}};
    for (const auto& c : cases)
        EXPECT_EQ(fittingZoom(c.largest), c.level) << c.largest;
}

TEST_F(ViewMenu, aLevelLargerThanTheScreenIsNeitherOfferedNorTaken) {
    host.largest = 2.1;
    game.start();
    EXPECT_TRUE(offered("mnuZoom200"));
    EXPECT_FALSE(offered("mnuZoom300"));
    setZoomLevel(game, 300);
    EXPECT_EQ(zoom(), 200);
    EXPECT_TRUE(marked("mnuZoom200"));
    EXPECT_FALSE(offered("mnuZoomIn"));
    zoomIn(game);
    EXPECT_EQ(zoom(), 200);
    zoomOut(game);
    zoomOut(game);
    EXPECT_EQ(zoom(), 100);
    EXPECT_FALSE(offered("mnuZoomOut"));
    zoomToFit(game);
    EXPECT_EQ(zoom(), 200);
}

TEST_F(ViewMenu, aScreenTooSmallForTheWindowShrinksItAndMarksNoLevel) {
    host.largest = 0.94;
    game.start();
    EXPECT_EQ(zoom(), 94);
    for (const char* level : {"mnuZoom100", "mnuZoom150", "mnuZoom200", "mnuZoom300"}) {
        EXPECT_FALSE(marked(level)) << level;
        EXPECT_FALSE(offered(level)) << level;
    }
}

TEST_F(ViewMenu, theChosenLevelIsKeptForTheNextRunAndForALargerScreen) {
    host.settings["view/zoom"] = "300";
    game.start();
    EXPECT_EQ(zoom(), 300);
    host.largest = 1.6; // the window went to a smaller screen
    refitToScreen(game);
    EXPECT_EQ(zoom(), 150);
    host.largest = 4.0; // and came back
    refitToScreen(game);
    EXPECT_EQ(zoom(), 300);
    setZoomLevel(game, 150);
    EXPECT_EQ(host.settings["view/zoom"], "150");
}

TEST_F(ViewMenu, aSavedLevelThatMakesNoSenseIsIgnored) {
    for (const char* saved : {"", "abc", "0", "-200", "5000", "1e309"}) {
        FakeHost other{transcript};
        other.settings["view/zoom"] = saved;
        ui::Runtime rt{other};
        Game g{rt};
        g.start();
        EXPECT_EQ(rt.zoom(), 100) << '"' << saved << '"';
    }
}

} // namespace
