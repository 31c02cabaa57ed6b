// SPDX-License-Identifier: MIT
#pragma once

// The ELT's signal as the DF unit receives it: 1 at the ELT, falling away with distance.
float signalStrength(float distance); // distance in nautical miles

// The ELT is heard while its signal is above this: within about 23 nautical miles.
inline constexpr float receptionThreshold = 0.1f;

inline bool eltHeard(float strength) {
    return strength > receptionThreshold;
}

// How loud the receiver's tone is, from 0 (silent, at the edge of reception and beyond) to 1
// (full, over the ELT), rising evenly with the signal in between. A perceived loudness: the
// sound layer turns it into the device's volume.
float receiverLoudness(float strength);
