// SPDX-License-Identifier: MIT
#include "process_usage.h"

#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>

namespace bench {

namespace {

// A "Name:   1234 kB" line of /proc/self/status.
long statusKb(const std::string& text, const std::string& name) {
    const auto at = text.find(name + ":");
    return at == std::string::npos ? -1 : std::stol(text.substr(at + name.size() + 1));
}

} // namespace

ProcessUsage processUsage() {
    ProcessUsage u;
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    u.cpuSeconds = double(cpu.tv_sec) + double(cpu.tv_nsec) / 1e9;
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    u.wakeups = r.ru_nvcsw;
    std::ifstream status("/proc/self/status");
    const std::string text((std::istreambuf_iterator<char>(status)), {});
    u.peakResidentKb = statusKb(text, "VmHWM");
    u.residentKb = statusKb(text, "VmRSS");
    return u;
}

} // namespace bench
