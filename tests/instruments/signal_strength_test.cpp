// SPDX-License-Identifier: MIT
// The edge of reception, closer than any place on the map can reach: where the ELT is not heard
// the tone is silent, and the first signal heard is heard aloud, however faintly. Places either
// side of the edge, and the loudness between, are the reception_edge and receiver_continuous
// scenarios'.
#include "instruments/signal_strength.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(ReceiverLoudness, silentAtTheEdgeOfReceptionAndAudibleJustAboveIt) {
    EXPECT_FALSE(eltHeard(receptionThreshold));
    EXPECT_EQ(receiverLoudness(receptionThreshold), 0);
    EXPECT_EQ(receiverLoudness(0), 0) << "far beyond";
    const float justAbove = std::nextafter(receptionThreshold, 1.0f);
    EXPECT_TRUE(eltHeard(justAbove));
    EXPECT_GT(receiverLoudness(justAbove), 0);
}

} // namespace
