// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace storage {

// The player's logbook file: "logbook.sqlite" in the per-user data folder of the application
// (on Linux ~/.local/share/Vantrel, or under $XDG_DATA_HOME). Needs the application's name set.
std::string defaultLogbookPath();

} // namespace storage
