// SPDX-License-Identifier: MIT
// The DF unit's signal, and the receiver's loudness that follows it: silent exactly where the
// indicator turns black, full over the ELT.
#include "instruments/signal_strength.h"
#include "model/navigation.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(ReceiverLoudness, silentToTheEdgeOfReceptionFullAtTheElt) {
    const float justAbove = std::nextafter(receptionThreshold, 1.0f);
    const struct {
        float strength;
        float loudness;
    } cases[] = {
        {0, 0},                  // far away
        {receptionThreshold, 0}, // the edge: not heard, silent
        {justAbove, 0},          // first heard: barely, yet heard
        {0.55f, 0.5f},           // half way, half as loud
        {1, 1},                  // over the ELT: full, exactly
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(receiverLoudness(c.strength), c.loudness, 1e-6) << c.strength;
        EXPECT_EQ(receiverLoudness(c.strength) > 0, eltHeard(c.strength)) << c.strength;
    }
}

TEST(ReceiverLoudness, theToneStartsExactlyWhereThePlayerFirstHearsTheElt) {
    // On a map of 4 units to the mile the ELT is heard while east² + south² is at most 8483:
    // 8482 is the farthest place heard, 8485 the nearest that is not.
    const struct {
        std::int16_t east, south;
        bool heard;
    } cases[] = {{61, 69, true}, {4, 92, true}, {33, 86, false}, {5, 92, false}};
    for (const auto& c : cases) {
        const float distance =
            distanceAndBearing(100, 100, 100 + c.east, 100 + c.south, 4).distance;
        const float strength = signalStrength(distance);
        EXPECT_EQ(eltHeard(strength), c.heard) << c.east << "," << c.south;
        EXPECT_EQ(receiverLoudness(strength) > 0, c.heard) << c.east << "," << c.south;
    }
    EXPECT_EQ(signalStrength(0), 1.0f);
    EXPECT_EQ(receiverLoudness(signalStrength(0)), 1.0f);
}

} // namespace
