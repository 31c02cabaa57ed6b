// SPDX-License-Identifier: MIT
#pragma once

namespace startup {

// While Qt looks for a display: failing to find one ends the program with the given line and
// exit status 1, not an abort and a core dump, and the platform plugin's own lines before it,
// which say the same less clearly, are left out. Ends with the object.
class DisplayGuard {
public:
    explicit DisplayGuard(const char* noDisplayLine);
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

} // namespace startup
