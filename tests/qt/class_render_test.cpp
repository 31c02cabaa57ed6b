// SPDX-License-Identifier: MIT
// The Class window on real widgets: every trainee's flight in their own colour on the map, their
// marks, the legend's swatches, a hidden trainee gone from the map, and the map saved as a PNG.
#include "classroom/class_figures.h"
#include "classroom/class_window.h"
#include "support/class_fixture.h"
#include "support/on_screen.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/qt/surface_widget.h"
#include "ui/window_slot.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

namespace {

struct ClassOnScreen {
    ui::qt::QtHost host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    ClassFixture source;
    ui::WindowSlot<ClassWindow> slot{runtime, buildClassWindow};
    ClassWindow& w = slot.get();

    ClassOnScreen() {
        host.setRenderer(&renderer);
        openClass(w, [this] { return &source; });
        runtime.select(*w.grdExercises, 0);
        renderer.syncNow();
    }
    ~ClassOnScreen() { host.setRenderer(nullptr); }
    QImage grab(const ui::Control& c) {
        QApplication::processEvents();
        if (qEnvironmentVariableIsSet("VANTREL_SAVE_GRABS"))
            renderer.windowOf(w)->client()->grab().save("vantrel-class.png");
        return renderer.windowOf(w)->widgetOf(c)->grab().toImage();
    }
};

// The map's units on a grab of the map alone, at whatever zoom the screen lets the window have.
struct ScaledMap {
    double scale;
    explicit ScaledMap(const QImage& map) : scale(map.width() / 200.0) {}
    double x(double units) const { return units * scale; }
    double y(double units) const { return units * scale; }
};

// A trainee's colour, or one a smoothed edge mixed a little with the white map.
auto colorOf(std::size_t trainee) {
    const ui::Color c = classroom::traineeColor(trainee);
    return [c](const QColor& p) {
        return std::abs(p.red() - c.r) + std::abs(p.green() - c.g) + std::abs(p.blue() - c.b) < 40;
    };
}

// Points half way along steps of each trainee's legs, clear of the others' tracks and marks.
struct OnTrack {
    std::size_t trainee;
    double x, y;
};
constexpr OnTrack kLegs[] = {{0, 60, 118}, {0, 70, 90},  {0, 120, 60},  {1, 82, 118}, {1, 110, 90},
                             {1, 150, 60}, {2, 70, 140}, {2, 108, 110}, {2, 108, 80}, {2, 111, 65}};

TEST(ClassRender, eachTraineesLegsMarksAndSwatchAreInTheirOwnColour) {
    ClassOnScreen c;
    const QImage map = c.grab(*c.w.picMap);
    const ScaledMap kMap(map);
    for (const auto& p : kLegs)
        EXPECT_GE(countNear(map, kMap.x(p.x), kMap.y(p.y), 2, colorOf(p.trainee)), 2)
            << p.trainee << " at " << p.x << ", " << p.y;
    // Each Reveal's square where the track ends, and anna's first signal at (80, 80).
    EXPECT_GE(countNear(map, kMap.x(145), kMap.y(55), 6, colorOf(0)), 30);
    EXPECT_GE(countNear(map, kMap.x(160), kMap.y(52), 6, colorOf(1)), 30);
    EXPECT_GE(countNear(map, kMap.x(80), kMap.y(80), 6, colorOf(0)), 20);
    const QImage legend = c.grab(*c.w.picLegend);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_GE(countIn(legend, legend.rect(), colorOf(i)), 60) << "the swatch of " << i;
}

TEST(ClassRender, aHiddenTraineesColourLeavesTheMapAndTheirSwatchEmpties) {
    ClassOnScreen c;
    toggleTrainee(c.w, 1);
    c.renderer.syncNow();
    const QImage map = c.grab(*c.w.picMap);
    const ScaledMap kMap(map);
    EXPECT_EQ(countIn(map, map.rect(), colorOf(1)), 0);
    EXPECT_GE(countNear(map, kMap.x(60), kMap.y(118), 1, colorOf(0)), 2) << "anna stays";
    const QImage legend = c.grab(*c.w.picLegend);
    EXPECT_LT(countIn(legend, legend.rect(), colorOf(1)), 40) << "only the swatch's frame";
}

TEST(ClassRender, theMapIsSavedAsThePictureOnScreen) {
    ClassOnScreen c;
    QTemporaryDir folder;
    const QString path = folder.filePath("ridge.png");
    ASSERT_TRUE(c.host.savePicture(c.w, *c.w.picMap, path.toStdString()));
    const QImage saved(path);
    const ScaledMap kMap(saved);
    EXPECT_EQ(saved.size(), c.grab(*c.w.picMap).size());
    EXPECT_GE(countNear(saved, kMap.x(110), kMap.y(90), 1, colorOf(1)), 2);
    EXPECT_FALSE(c.host.savePicture(c.w, *c.w.picMap, folder.filePath("none/x.png").toStdString()));
}

TEST(ClassRender, aVeryLargeDrawingRedrawnShowsTheNewDrawing) {
    // Above some thousands of items the map is kept painted between frames: a new drawing of the
    // same size must still replace it.
    ClassOnScreen c;
    ui::PictureBox& map = *c.w.picMap;
    for (const ui::Color color : {ui::colors::blue, ui::colors::red}) {
        map.cls();
        for (int i = 0; i < 6000; ++i)
            map.line(20, 20 + i % 160, 180, 20 + i % 160, color);
        c.renderer.syncNow();
        const QImage image = c.grab(map);
        EXPECT_EQ(countIn(image, image.rect(), QColor(color.r, color.g, color.b)) > 1000, true);
        EXPECT_EQ(countIn(image, image.rect(), QColor(0, 0, 255)) > 0, color == ui::colors::blue);
    }
}

} // namespace
