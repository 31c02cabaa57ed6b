// SPDX-License-Identifier: MIT
// The View menu's levels for a screen, and saved levels that make no sense. Screens of every
// size and the level kept between runs are the scenarios view_menu_screens and view_menu_kept.
#include "game/game.h"
#include "game/view_menu.h"
#include "support/fake_host.h"
#include "ui/headless/headless_host.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(FittingZoom, takesTheLargestLevelThatFitsOrExactlyWhatFitsBelowTheSmallest) {
    const struct {
        double largest;
        int level;
    } cases[] = {{9.0, 300}, {3.0, 300},   {2.9999, 200}, {2.0, 200},   {1.5, 150}, {1.4999, 100},
                 {1.0, 100}, {0.9999, 99}, {0.94, 94},    {0.2501, 25}, {0.1, 25}};
    for (const auto& c : cases)
        EXPECT_EQ(fittingZoom(c.largest), c.level) << c.largest;
}

TEST(ViewMenu, aSavedLevelThatMakesNoSenseIsIgnored) {
    for (const char* saved : {"", "abc", "0", "-200", "5000", "1e309"}) {
        std::ostringstream transcript;
        FakeHost host{transcript};
        host.settings["view/zoom"] = saved;
        ui::Runtime runtime{host};
        Game game{runtime};
        game.start();
        EXPECT_EQ(runtime.zoom(), 100) << '"' << saved << '"';
    }
}

} // namespace
