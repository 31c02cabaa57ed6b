// SPDX-License-Identifier: MIT
// The View menu's levels for a screen. Screens of every size, the level kept between runs and
// saved levels that make no sense are the scenarios view_menu_*.
#include "game/view_menu.h"

#include <gtest/gtest.h>

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

} // namespace
