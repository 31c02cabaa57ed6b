// SPDX-License-Identifier: MIT
#pragma once

namespace vantrel_help {

// While Qt looks for a display: failing to find one ends the viewer with one clear line and
// exit status 1, not an abort. Ends with the object.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;
};

} // namespace vantrel_help
