// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace bench {

// The machine's load averages over 1, 5 and 15 minutes, as the kernel gives them: timings taken
// on a busy machine are worth less, and this says how busy it was.
std::string loadAverage();

} // namespace bench
