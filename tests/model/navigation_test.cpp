// SPDX-License-Identifier: MIT
// Distances and bearings between map points, with a scale of 4 units to the mile.
#include "model/format_by_pattern.h"
#include "model/navigation.h"

#include <gtest/gtest.h>

namespace {

TEST(DistanceAndBearing, compassPointsFromTheMiddleOfTheMap) {
    const struct {
        std::int16_t toX, toY;
        float distance, bearing;
    } cases[] = {
        {140, 100, 10, 90},         // straight right: exactly east
        {60, 100, 10, 270},         // straight left: exactly west
        {140, 60, 14.142136f, 45},  // north-east
        {60, 60, 14.142136f, 315},  // north-west
        {60, 140, 14.142136f, 225}, // south-west
        {100, 100, 0, 90},          // the same point
    };
    for (const auto& c : cases) {
        const auto r = distanceAndBearing(100, 100, c.toX, c.toY, 4);
        EXPECT_FLOAT_EQ(r.distance, c.distance) << c.toX << "," << c.toY;
        EXPECT_NEAR(r.bearing, c.bearing, 1e-4) << c.toX << "," << c.toY;
    }
}

TEST(DistanceAndBearing, straightUpOrDownLeansATenThousandthToTheRight) {
    // North gives a bearing just above 0, never 360; south just under 180.
    const auto north = distanceAndBearing(100, 100, 100, 60, 4);
    EXPECT_FLOAT_EQ(north.distance, 10);
    EXPECT_GT(north.bearing, 0);
    EXPECT_NEAR(north.bearing, 0.000143, 1e-6);
    EXPECT_EQ(formatByPattern(north.bearing, "000"), "000");
    EXPECT_EQ(formatByPattern(north.bearing, "###"), "");

    const auto south = distanceAndBearing(100, 100, 100, 140, 4);
    EXPECT_LT(south.bearing, 180);
    EXPECT_EQ(formatByPattern(south.bearing, "000"), "180");
}

TEST(DistanceAndBearing, staysInRangeAtTheFarthestPoints) {
    const std::int16_t far[] = {-32768, -1, 0, 1, 32767};
    for (auto fx : far)
        for (auto fy : far)
            for (auto tx : far)
                for (auto ty : far) {
                    const auto r = distanceAndBearing(fx, fy, tx, ty, 4);
                    EXPECT_GE(r.bearing, 0);
                    EXPECT_LT(r.bearing, 360);
                    EXPECT_GE(r.distance, 0);
                }
}

} // namespace
