// SPDX-License-Identifier: MIT
// The debrief window on real widgets, grabbed to an image: the track, the first-signal mark, the
// Reveal and the ELT land on the right pixels of a map that looks as the game's does.
#include "debrief/debrief_window.h"
#include "support/debrief_fixture.h"
#include "support/on_screen.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/qt/surface_widget.h"
#include "ui/window_slot.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <utility>

namespace {

struct DebriefOnScreen {
    ui::qt::QtHost host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    ui::WindowSlot<DebriefWindow> debrief{runtime, buildDebriefWindow};

    explicit DebriefOnScreen(const logbook::SearchRecord& record = debriefFixture()) {
        showDebrief(*debrief, record, debriefFixtureReveals());
        renderer.syncNow();
    }
    QImage grab() {
        QApplication::processEvents();
        const QImage image = renderer.windowOf(*debrief)->client()->grab().toImage();
        if (qEnvironmentVariableIsSet("VANTREL_SAVE_GRABS")) image.save("vantrel-debrief.png");
        return image;
    }
};

// The map starts at twips (120, 120), pixel (8, 8), and is as large as the game's.
constexpr MapPixels kMap{8, 8};

const QColor kBlue(0, 0, 255), kRed(255, 0, 0), kGreen(0, 128, 0), kBlack(0, 0, 0);

TEST(DebriefRender, theTrackIsBlueAlongEveryLegAndNowhereElse) {
    DebriefOnScreen d;
    const QImage image = d.grab();
    // Points half way along steps of each leg, away from the marks and the aircraft symbol at
    // the airport, up to the Reveal: the ELT's picture, which the game would lay over the end
    // of the track, hides none of it.
    const std::pair<double, double> onTrack[] = {{60, 118}, {60, 106}, {70, 90},  {90, 70},
                                                 {110, 60}, {124, 60}, {132, 60}, {138, 60}};
    for (auto [x, y] : onTrack)
        EXPECT_GE(countNear(image, kMap.x(x), kMap.y(y), 1, kBlue), 2) << x << ", " << y;
    const std::pair<double, double> offTrack[] = {{80, 120}, {40, 60}, {120, 90}, {170, 110}};
    for (auto [x, y] : offTrack)
        EXPECT_EQ(countNear(image, kMap.x(x), kMap.y(y), 4, kBlue), 0) << x << ", " << y;
}

TEST(DebriefRender, theMarksShowWhereTheSignalWasHeardTheRevealAndTheElt) {
    DebriefOnScreen d;
    const QImage image = d.grab();
    EXPECT_EQ(image.pixelColor(int(kMap.x(80)), int(kMap.y(80))), kRed) << "the first signal's dot";
    EXPECT_GE(countNear(image, kMap.x(80), kMap.y(80), 6, kRed), 20) << "and its ring";
    EXPECT_EQ(countNear(image, kMap.x(60), kMap.y(100), 6, kRed), 0) << "only there";
    EXPECT_GE(countNear(image, kMap.x(145), kMap.y(55), 6, kGreen), 60)
        << "the Reveal's whole square";
    // The ELT's black cross: six units each way, well clear of its picture.
    for (auto [x, y] : {std::pair{150.0, 44.5}, {144.5, 50.0}, {150.0, 55.5}, {155.5, 50.0}})
        EXPECT_GE(countNear(image, kMap.x(x), kMap.y(y), 1, kBlack), 1) << "the ELT cross at " << x;
    EXPECT_TRUE(d.debrief->imgELT->visible());
}

TEST(DebriefRender, aBreakInTheTrackIsAThinGreyDottedLineAndAnOrangeMarkNotABlueLeg) {
    // Put back at (145, 150), straight below the Reveal's position, then one step on.
    logbook::SearchRecord record = debriefFixture();
    record.track.push_back({145, 150, 45, 0});
    record.track.push_back({146, 149, 45, 1});
    DebriefOnScreen d(record);
    const QImage image = d.grab();
    const QColor grey(128, 128, 128), orange(255, 140, 0);
    int greyRows = 0, whiteRows = 0, wideRows = 0;
    const int x = int(kMap.x(145));
    for (int y = int(kMap.y(65)); y <= int(kMap.y(100)); ++y) {
        int greys = 0, whites = 0;
        for (int dx = -1; dx <= 1; ++dx) {
            const QColor c = image.pixelColor(x + dx, y);
            EXPECT_NE(c, kBlue) << y;
            greys += c == grey;
            whites += c == QColor(Qt::white);
        }
        greyRows += greys > 0;
        whiteRows += whites == 3;
        wideRows += greys > 1;
    }
    EXPECT_GE(greyRows, 10) << "dots along the connector";
    EXPECT_GE(whiteRows, 10) << "with gaps between them";
    EXPECT_EQ(wideRows, 0) << "one pixel thin";
    EXPECT_GE(countNear(image, kMap.x(145), kMap.y(150), 3, orange), 9)
        << "the mark where it was put";
}

TEST(DebriefRender, theAircraftFliesOnScreenAndLeavesTheTrackBehind) {
    DebriefOnScreen d;
    DebriefWindow& w = *d.debrief;
    ASSERT_GE(countNear(d.grab(), kMap.x(60), kMap.y(140), 4, kRed), 12) << "paused at the airport";
    w.replay.play();
    w.replay.advance(25 / debrief::Replay::stepsPerSecond); // 10 north, 10 north-east, 5 east
    w.showReplay();
    const QImage image = d.grab();
    EXPECT_GE(countNear(image, kMap.x(120), kMap.y(60), 4, kRed), 12)
        << "the aircraft, on the east leg";
    EXPECT_EQ(countNear(image, kMap.x(60), kMap.y(140), 4, kRed), 0) << "gone from the airport";
    EXPECT_GE(countNear(image, kMap.x(60), kMap.y(118), 1, kBlue), 2) << "the track still there";
}

} // namespace
