// SPDX-License-Identifier: MIT
#include "assets/pictures/pictures.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

std::set<std::uint32_t> coloursOf(const ui::Picture& p) {
    return {p.pixels.begin(), p.pixels.end()};
}

void expectSize(const ui::Picture& p, const std::string& name, int width, int height) {
    EXPECT_EQ(p.name, name);
    EXPECT_EQ(p.width, width) << name;
    EXPECT_EQ(p.height, height) << name;
}

TEST(Pictures, eachHasItsControlsNameAndSize) {
    expectSize(assets::arrowUp(), "cmdUp", 23, 25);
    expectSize(assets::arrowLeft(), "cmdLeft", 23, 25);
    expectSize(assets::arrowRight(), "cmdRight", 23, 25);
    expectSize(assets::aircraftImage(), "Image1", 32, 32);
    expectSize(assets::transmitterImage(), "imgELT", 32, 32);
    expectSize(assets::vorImage(), "imgVOR", 16, 16);
}

TEST(Pictures, backgroundsAreTransparentOnlyWhereIntended) {
    // The arrows and the aircraft sit on other controls; the icon and the VOR symbol do not.
    for (const auto* p : {&assets::arrowUp(), &assets::arrowLeft(), &assets::arrowRight(),
                          &assets::aircraftImage()})
        EXPECT_EQ(p->pixel(0, 0) >> 24, 0u) << p->name;
    for (const auto* p : {&assets::transmitterImage(), &assets::vorImage()})
        for (auto px : p->pixels)
            ASSERT_EQ(px >> 24, 0xffu) << p->name;
}

TEST(Pictures, theVorDotIsInTheExactCentre) {
    const auto& vor = assets::vorImage();
    const auto navy = ui::opaque(ui::colors::navy), white = ui::opaque(ui::colors::white);
    EXPECT_EQ(coloursOf(vor), (std::set{navy, white}));
    for (int y = 6; y <= 9; ++y)
        for (int x = 6; x <= 9; ++x) {
            const bool dot = x >= 7 && x <= 8 && y >= 7 && y <= 8;
            EXPECT_EQ(vor.pixel(x, y), dot ? navy : white) << x << "," << y;
        }
}

TEST(AircraftStrip, eightNineByNineRedOnWhiteCells) {
    const auto& strip = assets::aircraftStrip();
    EXPECT_EQ(strip.name(), "clpAC");
    ASSERT_EQ(strip.cellCount(), 8);
    ASSERT_EQ(strip.cellWidth(), 9);
    ASSERT_EQ(strip.cellHeight(), 9);
    const std::set allowed{ui::opaque(ui::colors::red), ui::opaque(ui::colors::white)};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(coloursOf(strip.cell(i)), allowed) << i;
}

TEST(AircraftStrip, theNorthCellIsSymmetricWithTheNoseUp) {
    const auto north = assets::aircraftStrip().cell(0);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(north.pixel(x, y), north.pixel(8 - x, y));
    int nose = -1;
    for (int y = 8; y >= 0; --y)
        for (int x = 0; x < 9; ++x)
            if (north.pixel(x, y) == ui::opaque(ui::colors::red)) nose = y;
    ASSERT_GE(nose, 0);
    EXPECT_LT(nose, 4);
    EXPECT_EQ(north.pixel(4, 4), ui::opaque(ui::colors::red)) << "aircraft off centre";
}

TEST(AircraftStrip, theEastCellIsNorthTurnedClockwise) {
    const auto north = assets::aircraftStrip().cell(0);
    const auto east = assets::aircraftStrip().cell(2);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(east.pixel(x, y), north.pixel(y, 8 - x));
}

TEST(AirportStrip, cellsMirrorEachOtherWithTheRightOneLeaningRight) {
    const auto& strip = assets::airportStrip();
    EXPECT_EQ(strip.name(), "clpAirport");
    ASSERT_EQ(strip.cellCount(), 2);
    ASSERT_EQ(strip.cellWidth(), 16);
    ASSERT_EQ(strip.cellHeight(), 16);
    const auto left = strip.cell(0), right = strip.cell(1);
    const std::set allowed{ui::opaque(ui::colors::black), ui::opaque(ui::colors::white)};
    EXPECT_EQ(coloursOf(left), allowed);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(left.pixel(x, y), right.pixel(15 - x, y));
    // The right-hand cell's diagonal rises to the right: its bottom-left corner is runway.
    const auto black = ui::opaque(ui::colors::black);
    EXPECT_EQ(right.pixel(0, 15), black);
    EXPECT_NE(right.pixel(15, 15), black);
    bool verticalRightOfCentre = false;
    for (int x = 8; x < 16; ++x) {
        bool full = true;
        for (int y = 0; y < 16; ++y)
            full = full && right.pixel(x, y) == black;
        verticalRightOfCentre = verticalRightOfCentre || full;
    }
    EXPECT_TRUE(verticalRightOfCentre);
}

} // namespace
