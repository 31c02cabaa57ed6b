// SPDX-License-Identifier: MIT
// Turning and stepping the aircraft.
#include "model/aircraft_movement.h"
#include "model/search_state.h"

#include <gtest/gtest.h>

namespace {

SearchState cruisingFrom(std::int16_t x, std::int16_t y, std::int16_t heading) {
    SearchState s;
    s.aircraftX = x;
    s.aircraftY = y;
    s.heading = heading;
    s.speedStep = 4;
    s.mapScale = 4;
    return s;
}

TEST(Turning, northIsBothZeroAndThreeSixty) {
    EXPECT_EQ(turnedRight(315), 360);
    EXPECT_EQ(turnedRight(360), 45);
    EXPECT_EQ(turnedLeft(0), 315);
    EXPECT_EQ(turnedLeft(360), 315);
    EXPECT_EQ(turnedLeft(45), 0);
    EXPECT_EQ(turnedRight(0), 45);
}

TEST(Stepping, eachHeadingMovesAlongItsAxes) {
    const struct {
        std::int16_t heading;
        int east, south;
    } moves[] = {{0, 0, -4},  {360, 0, -4}, {45, 4, -4},  {90, 4, 0},   {135, 4, 4},
                 {180, 0, 4}, {225, -4, 4}, {270, -4, 0}, {315, -4, -4}};
    for (const auto& m : moves) {
        SearchState s = cruisingFrom(100, 100, m.heading);
        moveOneStep(s);
        EXPECT_EQ(s.aircraftX, 100 + m.east) << m.heading;
        EXPECT_EQ(s.aircraftY, 100 + m.south) << m.heading;
        EXPECT_FLOAT_EQ(s.distanceFlown, 1) << "a diagonal step counts as a straight one";
    }
}

TEST(Stepping, eightRightTurnsFlyAClosedLoopOfEightMiles) {
    SearchState s = cruisingFrom(100, 100, 0);
    for (int i = 0; i < 8; ++i) {
        s.heading = turnedRight(s.heading);
        moveOneStep(s);
    }
    EXPECT_EQ(s.aircraftX, 100);
    EXPECT_EQ(s.aircraftY, 100);
    EXPECT_FLOAT_EQ(s.distanceFlown, 8);
}

TEST(Stepping, flyingForeverStopsAtTheEdgeOfSixteenBitsInsteadOfWrappingAround) {
    SearchState s = cruisingFrom(32765, -32766, 45);
    moveOneStep(s);
    EXPECT_EQ(s.aircraftX, 32767);
    EXPECT_EQ(s.aircraftY, -32768);
    moveOneStep(s);
    EXPECT_EQ(s.aircraftX, 32767);
    EXPECT_EQ(s.aircraftY, -32768);
    EXPECT_FLOAT_EQ(s.distanceFlown, 2); // the distance flown still counts every step
}

} // namespace
