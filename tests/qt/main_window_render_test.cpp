// SPDX-License-Identifier: MIT
// The real main window, grabbed to an image: a laid-out search lands on the right pixels of the
// map and the instruments, and the signal light follows the game on screen.
#include "support/on_screen.h"
#include "support/real_game.h"
#include "ui/qt/surface_widget.h"

#include <cmath>
#include <gtest/gtest.h>
#include <QImage>
#include <QMainWindow>
#include <QWidget>

namespace {

QColor at(const QImage& image, int twipsX, int twipsY) {
    return image.pixelColor(twipsX / 15, twipsY / 15);
}

TEST(MainWindowRender, aLaidOutSearchIsDrawnOnTheMapAndInstruments) {
    // The ELT and the VOR in the middle of the map, the airport at (60, 60): the aircraft
    // starts 14 miles from the ELT, within hearing.
    RealGame g({0.5f, 0.5f, 0.5f, 0.5f, 0.25f, 0.25f});
    const QImage image = g.grabClient();
    if (qEnvironmentVariableIsSet("VANTREL_SAVE_GRABS")) image.save("vantrel-search.png");
    const MapPixels map{4, 2}; // where the map starts in the client area
    auto navy = [](QColor c) { return c.blue() > 90 && c.red() < 90 && c.green() < 90; };
    const double ring = 40 * 387.0 / 200;

    for (double angle : {0.0, 90.0, 180.0, 270.0, 45.0}) {
        const double rad = angle * 3.14159265 / 180;
        EXPECT_GT(countNear(image, map.x(100) + ring * std::cos(rad),
                            map.y(100) + ring * std::sin(rad), 2, navy),
                  0)
            << "the rose at " << angle << " degrees";
    }
    EXPECT_TRUE(navy(image.pixelColor(int(map.x(100)), int(map.y(100)))))
        << "the dot of the VOR symbol";
    EXPECT_GE(countNear(image, map.x(60), map.y(60), 7, QColor(0, 0, 0)), 6)
        << "the airport's runways";
    EXPECT_GE(countNear(image, map.x(60), map.y(60), 4, QColor(255, 0, 0)), 12)
        << "the aircraft symbol";
    EXPECT_EQ(countNear(image, map.x(150), map.y(150), 4, QColor(255, 0, 0)), 0);
    EXPECT_EQ(at(image, 5970 + 1380 + 140, 3180 + 120 + 100), QColor(255, 0, 0)) << "the indicator";
}

TEST(MainWindowRender, theSignalLightChangesOnScreenWithTheStepThatLosesTheSignal) {
    // What the screen shows, not a fresh grab: the light is a widget of its own that only the
    // game's new colour changes. (A symbol moving on the map is the zoom test's.)
    RealGame g({0.5f, 0.5f, 0.5f, 0.5f, 0.25f, 0.25f});
    g.windowOf(g.main()).window()->show();
    QWidget* client = g.windowOf(g.main()).client();
    ASSERT_EQ(at(screenOf(client), 5970 + 1380 + 140, 3180 + 120 + 100), QColor(255, 0, 0));
    for (int i = 0; i < 11; ++i)
        g.runtime.click(*g.game.main->cmdUp); // 44 units north, out of hearing
    EXPECT_EQ(at(screenOf(client), 5970 + 1380 + 140, 3180 + 120 + 100), QColor(0, 0, 0));
}

} // namespace
