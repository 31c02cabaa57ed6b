// SPDX-License-Identifier: MIT
#pragma once

namespace bench {

// What this process has used so far, read from the kernel.
struct ProcessUsage {
    double cpuSeconds = 0;   // user and system time of every thread
    long wakeups = 0;        // voluntary context switches: each time the process went to sleep
    long peakResidentKb = 0; // VmHWM: the most memory ever resident at once
    long residentKb = 0;     // VmRSS: resident now
};

ProcessUsage processUsage();

} // namespace bench
