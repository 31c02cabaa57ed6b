// SPDX-License-Identifier: MIT
#include "signal_strength.h"

#include <algorithm>
#include <cmath>

float signalStrength(float distance) {
    return static_cast<float>(std::exp(double(-distance / 10.0f)));
}

float receiverLoudness(float strength) {
    return std::clamp((strength - receptionThreshold) / (1 - receptionThreshold), 0.0f, 1.0f);
}
