// SPDX-License-Identifier: MIT
// The replay of a flight: where the aircraft is at any moment, how fast it goes, where it stops,
// and how the time between frames is read off a clock that wraps at midnight.
#include "debrief/replay.h"

#include <gtest/gtest.h>

namespace {

using debrief::Replay;
using logbook::TrackPoint;

// Out of (10, 20) north for two cruise steps, then one step north-east.
const std::vector<TrackPoint> kTrack = {
    {10, 20, 0, 4}, {10, 16, 0, 4}, {10, 12, 0, 4}, {14, 8, 45, 4}};

TEST(Replay, theAircraftLiesOnTheTrackBetweenPositionsWithTheHeadingItFlew) {
    struct Case {
        double steps;
        double x, y;
        int heading;
    };
    const Case cases[] = {
        {0, 10, 20, 0},     {0.5, 10, 18, 0},  {1, 10, 16, 0}, {2, 10, 12, 0},
        {2.25, 11, 11, 45}, {2.5, 12, 10, 45}, {3, 14, 8, 45}, // on the last position
        {7, 14, 8, 45},     {-1, 10, 20, 0},                   // held at the ends
    };
    for (const Case& c : cases) {
        const auto pose = debrief::poseAt(kTrack, c.steps);
        ASSERT_TRUE(pose) << c.steps;
        EXPECT_DOUBLE_EQ(pose->x, c.x) << c.steps;
        EXPECT_DOUBLE_EQ(pose->y, c.y) << c.steps;
        EXPECT_EQ(pose->heading, c.heading) << c.steps;
    }
}

TEST(Replay, theAircraftJumpsToAPointItWasPutAtRatherThanFlyingThere) {
    // Lost off the map at (10, 220), put back at the middle and flown one step north.
    const std::vector<TrackPoint> rescued = {
        {10, 216, 180, 4}, {10, 220, 180, 4}, {100, 100, 180, 0}, {100, 96, 0, 4}};
    const std::pair<double, std::pair<double, double>> cases[] = {
        {1, {10, 220}}, {1.5, {10, 220}}, {1.99, {10, 220}}, {2, {100, 100}}, {2.5, {100, 98}}};
    for (auto [steps, at] : cases) {
        const auto pose = debrief::poseAt(rescued, steps);
        ASSERT_TRUE(pose) << steps;
        EXPECT_EQ(std::pair(pose->x, pose->y), at) << steps;
    }
}

TEST(Replay, theSymbolCellFollowsTheHeadingAsTheGameChoosesIt) {
    const std::pair<int, int> cells[] = {{0, 0},   {45, 1},  {90, 2},  {135, 3}, {180, 4},
                                         {225, 5}, {315, 7}, {360, 0}, {-45, 7}};
    for (auto [heading, cell] : cells)
        EXPECT_EQ(debrief::aircraftCell(static_cast<std::int16_t>(heading)), cell) << heading;
}

// Its pace, pausing and stop at the Reveal are the scenario debrief_replay.
TEST(Replay, playingAgainFromTheEndStartsOverAndNoSpeedIsBelowOne) {
    Replay r(kTrack);
    r.play();
    r.advance(10);
    EXPECT_DOUBLE_EQ(r.steps(), 3);
    EXPECT_FALSE(r.playing());
    r.play();
    EXPECT_EQ(r.steps(), 0);
    EXPECT_TRUE(r.playing());
    r.setSpeed(0);
    EXPECT_EQ(r.speed(), 1);
}

TEST(Replay, aTrackOfOnePositionOrNoneNeverPlays) {
    Replay empty;
    empty.play();
    empty.advance(1);
    EXPECT_FALSE(empty.playing());
    EXPECT_FALSE(empty.pose());
    EXPECT_FALSE(debrief::poseAt({}, 3));

    Replay one({{50, 60, 90, 4}});
    one.play();
    one.advance(1);
    EXPECT_FALSE(one.playing());
    ASSERT_TRUE(one.pose());
    EXPECT_EQ(one.pose()->x, 50);
    EXPECT_EQ(one.pose()->heading, 90);
}

TEST(FrameClock, theTimeBetweenFramesSurvivesMidnightAndAStall) {
    struct Case {
        double from, to, elapsed;
    };
    const Case cases[] = {
        {43200, 43200.016, 0.016},
        {86399.99, 0.006, 0.016}, // across midnight the clock starts again at 0
        {86399.99, 86399.99, 0},
        {100, 100.25, 0.25}, // the longest frame counted in full
        {100, 160, 0.25},    // a minute's stall is one frame
        {100, 99.5, 0.25},   // a clock set back is a whole day's wrap: a stall
    };
    for (const Case& c : cases) {
        debrief::FrameClock clock;
        clock.start(c.from);
        EXPECT_NEAR(clock.elapsed(c.to), c.elapsed, 1e-6) << c.from << " to " << c.to;
    }
    debrief::FrameClock clock;
    clock.start(86399.9);
    clock.elapsed(0.05);
    EXPECT_NEAR(clock.elapsed(0.1), 0.05, 1e-9) << "each reading starts the next frame";
}

} // namespace
