// SPDX-License-Identifier: MIT
// The game drawn at every zoom: the same layout, larger, and drawn afresh at its size.
#include "game/view_menu.h"
#include "game/help_menu.h"
#include "support/on_screen.h"
#include "support/real_game.h"
#include "ui/qt/surface_widget.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <optional>
#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <string>

namespace {

// The player's settings are forgotten, so that the next game starts as a new player's would.
void forget() {
    QSettings store(QStringLiteral("Vantrel"), QStringLiteral("Vantrel"));
    store.clear();
    store.sync();
}

// The game on a screen large enough for every level.
struct Zoomed : RealGame {
    // At a level of the menu, or at what a screen too small for 100 % allows.
    explicit Zoomed(int percent) : RealGame({0.5f, 0.5f, 0.5f, 0.5f, 0.25f, 0.25f}) {
        host.largestZoomAllowed = percent < 100 ? (percent + 0.5) / 100 : 4.0;
        setZoomLevel(game, std::max(percent, 100));
        grabbed = grabClient();
        if (qEnvironmentVariableIsSet("VANTREL_SAVE_GRABS"))
            grabbed.save(QStringLiteral("vantrel-zoom-%1.png").arg(percent));
    }
    ~Zoomed() { forget(); }
    QColor at(int twipsX, int twipsY) const {
        const double z = game.runtime.zoom() / 100.0;
        return grabbed.pixelColor(int(twipsX / 15.0 * z), int(twipsY / 15.0 * z));
    }
    QImage grabbed;
};

TEST(Zoom, everyLevelDrawsTheDesignedLayoutLarger) {
    for (int level : {100, 150, 200, 300, 94}) {
        SCOPED_TRACE(level);
        Zoomed g(level);
        EXPECT_EQ(g.game.runtime.zoom(), level);
        const double z = level / 100.0;
        // The designed size exactly at 100 %, the nearest pixel at other levels.
        EXPECT_NEAR(g.grabbed.width(), 512 * z, level == 100 ? 0 : 1);
        EXPECT_NEAR(g.grabbed.height(), 426 * z, level == 100 ? 0 : 1);
        // Each point lies well inside the control it names, away from borders and text.
        EXPECT_EQ(g.at(5910, 3000), QColor(192, 192, 192)) << "window between map and frames";
        EXPECT_EQ(g.at(3000, 6385), QColor(192, 192, 192)) << "window below the buttons";
        EXPECT_EQ(g.at(60 + 5805 - 300, 30 + 300), QColor(255, 255, 255)) << "white map";
        EXPECT_EQ(g.at(5970 + 180 + 60, 30 + 1140 + 450), QColor(0, 0, 0)) << "compass strip";
        EXPECT_EQ(g.at(5970 + 180 + 60, 3180 + 330 + 60), QColor(128, 128, 128)) << "DF display";
        EXPECT_EQ(g.at(5970 + 750 + 60, 5250 + 270 + 300), QColor(64, 64, 64)) << "radial box";
        EXPECT_EQ(g.at(5970 + 750 + 60, 5250 + 630 + 300), QColor(64, 64, 64)) << "DME box";
        EXPECT_EQ(g.at(5970 + 240 + 60, 30 + 2730 + 200), QColor(255, 255, 255)) << "distance";
        // What the game computes does not change with the zoom.
        EXPECT_EQ(g.main().Pic1->scaleWidth(), 200);
    }
}

// The map, where the rose, its figures and the scale bar are drawn.
QRect mapArea(double zoom) {
    return QRect(QPoint(4, 2) * zoom, QSize(387, 385) * zoom);
}

// Pixels of colours that are neither the paper's nor a colour the map is drawn in: the
// grey of smoothed edges.
int blendedPixels(const QImage& image, const QRect& area) {
    return countIn(image, area, [](QColor c) {
        return c != QColor(Qt::white) && c != QColor(0, 0, 128) && c != QColor(Qt::black) &&
               c != QColor(Qt::red);
    });
}

// Aligned blocks of `size` pixels that are not all one colour: a picture enlarged by copying
// its pixels has none.
int mixedBlocks(const QImage& image, const QRect& area, int size) {
    int n = 0;
    for (int y = area.top(); y + size <= area.bottom(); y += size)
        for (int x = area.left(); x + size <= area.right(); x += size) {
            const QRgb first = image.pixel(x, y);
            bool mixed = false;
            for (int dy = 0; dy < size && !mixed; ++dy)
                for (int dx = 0; dx < size && !mixed; ++dx)
                    mixed = image.pixel(x + dx, y + dy) != first;
            n += mixed;
        }
    return n;
}

// How many black pixels follow each other down from the first black one below `from`, with
// nothing but white or black about them.
int blackRunDown(const QImage& image, QPoint from) {
    int y = from.y();
    while (y < image.height() && image.pixelColor(from.x(), y) == QColor(Qt::white))
        ++y;
    int run = 0;
    for (; y < image.height() && image.pixelColor(from.x(), y) == QColor(Qt::black); ++y)
        ++run;
    return image.pixelColor(from.x(), y) == QColor(Qt::white) ? run : -1;
}

TEST(Zoom, linesAndTextAreDrawnAfreshAtTheLargerSizeNotEnlargedFromTheDesignedOne) {
    const QImage designed = Zoomed(100).grabbed;
    for (int level : {200, 300}) {
        SCOPED_TRACE(level);
        const int k = level / 100;
        const QImage zoomed = Zoomed(level).grabbed;
        const QImage blurred =
            designed.scaled(designed.size() * k, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage copied = designed.scaled(designed.size() * k);
        const QRect map = mapArea(k);
        // Smoothed edges only where a line slants or a letter curves, far fewer than a blurred
        // enlargement has; and finer than whole copies of the designed pixels.
        EXPECT_LT(blendedPixels(zoomed, map), blendedPixels(blurred, map) / 2);
        EXPECT_EQ(mixedBlocks(copied, map, k), 0);
        EXPECT_GT(mixedBlocks(zoomed, map, k), 1000);
        // The scale bar, a straight line, stays solid black edge to edge, as thick as the zoom.
        EXPECT_EQ(blackRunDown(zoomed, QPoint(14, 360) * k), blackRunDown(designed, {14, 360}) * k);
    }
}

TEST(Zoom, pixelArtGrowsByWholeCopiesOfItsPixels) {
    for (int level : {200, 300}) {
        SCOPED_TRACE(level);
        Zoomed g(level);
        for (ui::Control* art : {static_cast<ui::Control*>(g.main().Image1),
                                 static_cast<ui::Control*>(g.main().cmdUp)}) {
            const QImage image = g.windowOf(g.main()).widgetOf(*art)->grab().toImage();
            EXPECT_EQ(image.size(), QSize(qRound(art->width() / 15.0 * level / 100),
                                          qRound(art->height() / 15.0 * level / 100)));
            EXPECT_EQ(mixedBlocks(image, image.rect(), level / 100), 0) << art->name();
        }
    }
}

TEST(Zoom, aNoteGrowsAndKeepsItsPlaceBesideTheMainWindow) {
    Zoomed g(100);
    const char* text = " Click the three arrows at the right \r\n to move the aircraft on the map ";
    // Beside the arrows, in screen twips from the main window's corner, as the game places it.
    const double right = g.main().left() + 7490, top = g.main().top() + 1440;
    showExplanation(g.game, text, top, NoteEdge::Right, right);
    g.renderer.syncNow();
    const QRect designed = g.windowOf(*g.game.panel.existing()).window()->frameGeometry();
    const QPoint corner = g.windowOf(g.main()).window()->frameGeometry().topLeft();
    setZoomLevel(g.game, 200);
    g.renderer.syncNow();
    QApplication::processEvents();
    const QRect zoomed = g.windowOf(*g.game.panel.existing()).window()->frameGeometry();
    // The main window may have moved to stay on the screen; the note went with it.
    const QPoint moved = g.windowOf(g.main()).window()->frameGeometry().topLeft();
    EXPECT_NEAR(zoomed.x() + zoomed.width() - moved.x(),
                2 * (designed.x() + designed.width() - corner.x()), 2);
    EXPECT_NEAR(zoomed.y() - moved.y(), 2 * (designed.y() - corner.y()), 2);
    EXPECT_NEAR(zoomed.width(), 2 * designed.width(), 2);
    EXPECT_NEAR(zoomed.height(), 2 * designed.height(), 2);
}

TEST(Zoom, theScreenShowsWhatAFreshPaintShowsAfterStepsAtEveryChangeOfZoom) {
    // What the screen keeps, not a fresh grab: a symbol that moved must leave nothing behind,
    // also where it was drawn at the zoom before.
    Zoomed g(100);
    g.windowOf(g.main()).window()->show();
    QWidget* client = g.windowOf(g.main()).client();
    for (int level : {150, 200, 100, 300}) {
        SCOPED_TRACE(level);
        g.runtime.click(*g.main().cmdUp);
        settle();
        setZoomLevel(g.game, level);
        settle();
        g.runtime.click(*g.main().cmdUp);
        g.runtime.click(*g.main().cmdRight);
        const QImage shown = screenOf(client).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, client->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
}

TEST(Zoom, aMessageBoxsIconGrowsWithItsText) {
    // The icon is drawn at the zoom like the text beside it, not left at the style's size: in
    // the game's own boxes and in the note that help cannot be shown.
    struct Seen {
        QSize icon;
        qreal text = 0;
    };
    const auto seen = [](const QMessageBox& box) {
        return Seen{box.iconPixmap().deviceIndependentSize().toSize(),
                    QFontInfo(box.font()).pointSizeF()};
    };
    std::map<int, Seen> asked, told;
    for (int level : {100, 200}) {
        Zoomed g(level);
        QTimer::singleShot(0, [&, level] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            asked[level] = seen(*box);
            box->accept();
        });
        g.host.messageBox("Well done!", ui::msgbox::information, "Vantrel");

        QTemporaryDir noViewer;
        RealGame h({}, noViewer.path());
        h.host.largestZoomAllowed = 4.0;
        setZoomLevel(h.game, level);
        h.runtime.click(*h.main().cmdHelp);
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                told[level] = seen(*box);
                box->close();
            }
    }
    for (auto* boxes : {&asked, &told}) {
        ASSERT_EQ(boxes->size(), 2u);
        Seen at100 = (*boxes)[100], at200 = (*boxes)[200];
        EXPECT_GT(at100.icon.width(), 0);
        EXPECT_NEAR(at200.text, 2 * at100.text, 0.5);
        EXPECT_EQ(at200.icon, at100.icon * 2);
    }
}

TEST(Zoom, choosingTheLevelInForceAgainKeepsItsMark) {
    Zoomed g(100);
    auto* level = g.windowOf(g.main()).window()->findChild<QAction*>(QStringLiteral("mnuZoom100"));
    ASSERT_NE(level, nullptr);
    ASSERT_TRUE(level->isChecked());
    level->trigger();
    g.renderer.syncNow();
    EXPECT_TRUE(level->isChecked());
    EXPECT_EQ(g.game.runtime.zoom(), 100);
}

TEST(Zoom, anyRememberedPlaceBringsTheWholeWindowOnAScreenOrToItsMiddle) {
    // The settings file may have been edited by hand or damaged: whatever number it holds, the
    // window comes up whole on a screen, where the player can take hold of its title bar.
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const int most = std::numeric_limits<int>::max(), least = std::numeric_limits<int>::min();
    const struct {
        QVariant saved;
        std::optional<QPoint> at; // where the window's corner must be, when it is known
    } cases[] = {
        {QPoint(100, 60), QPoint(100, 60)},
        {QPoint(most, most), {}},
        {QPoint(least, least), {}},
        {QPoint(most - 10, 40), {}},
        {QPoint(40, least + 10), {}},
        {QPoint(-5000, 4000), {}},
        {QPoint(-100, area.bottom() - 10), {}},
        {QPoint(area.right() - 100, -5), {}},
        {QPoint(-1, -20), QPoint(0, 0)}, // the title bar just above the screen
        {QSize(most, most), {}},
        {QStringLiteral("2147483647 2147483647"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved.toString().toStdString() + " " +
                     std::to_string(c.saved.toPoint().x()) + "," +
                     std::to_string(c.saved.toPoint().y()));
        QSettings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel"))
            .setValue(QStringLiteral("window/position"), c.saved);
        Zoomed g(100);
        const QRect placed = g.windowOf(g.main()).window()->frameGeometry();
        EXPECT_TRUE(area.contains(placed)) << placed.x() << "," << placed.y();
        if (c.at) {
            EXPECT_EQ(placed.topLeft(), *c.at);
        }
    }
}

} // namespace
