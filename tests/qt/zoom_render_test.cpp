// SPDX-License-Identifier: MIT
// The game drawn at every zoom: the same layout, larger, and drawn afresh at its size.
#include "game/view_menu.h"
#include "support/real_game.h"
#include "ui/qt/surface_widget.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>

namespace {

QImage grab(RealGame& g) {
    QApplication::processEvents();
    g.renderer.syncNow();
    return g.windowOf(g.main()).client()->grab().toImage();
}

// The game on a screen large enough for every level.
struct Zoomed : RealGame {
    explicit Zoomed(int percent) : RealGame({0.5f, 0.5f, 0.5f, 0.5f, 0.25f, 0.25f}) {
        host.largestZoomAllowed = 4.0;
        setZoomLevel(game, percent);
        grabbed = grab(*this);
        if (qEnvironmentVariableIsSet("VANTREL_SAVE_GRABS"))
            grabbed.save(QStringLiteral("vantrel-zoom-%1.png").arg(percent));
    }
    QColor at(int twipsX, int twipsY) const {
        const double z = game.runtime.zoom() / 100.0;
        return grabbed.pixelColor(int(twipsX / 15.0 * z), int(twipsY / 15.0 * z));
    }
    QImage grabbed;
};

TEST(Zoom, everyLevelDrawsTheDesignedLayoutLarger) {
    for (int level : zoomLevels) {
        SCOPED_TRACE(level);
        Zoomed g(level);
        EXPECT_EQ(g.game.runtime.zoom(), level);
        const double z = level / 100.0;
        EXPECT_EQ(g.grabbed.size(), QSize(qRound(512 * z), qRound(426 * z)));
        EXPECT_EQ(g.at(5910, 3000), QColor(192, 192, 192)) << "window between map and frames";
        EXPECT_EQ(g.at(60 + 5805 - 300, 30 + 300), QColor(255, 255, 255)) << "white map";
        EXPECT_EQ(g.at(5970 + 180 + 60, 30 + 1140 + 450), QColor(0, 0, 0)) << "compass strip";
        EXPECT_EQ(g.at(5970 + 180 + 60, 3180 + 330 + 60), QColor(128, 128, 128)) << "DF display";
        EXPECT_EQ(g.at(5970 + 750 + 60, 5250 + 270 + 300), QColor(64, 64, 64)) << "radial box";
        // What the game computes does not change with the zoom.
        EXPECT_EQ(g.main().Pic1->scaleWidth(), 200);
    }
}

} // namespace
