// SPDX-License-Identifier: MIT
#include "machine_load.h"

#include <fstream>

namespace bench {

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    if (!(file >> one >> five >> fifteen)) return "unknown";
    return one + " " + five + " " + fifteen;
}

} // namespace bench
