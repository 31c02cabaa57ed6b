// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace logbook {
class Logbook;
}

namespace script {

// The logbook's printable items: `count`, `stats.FIELD` of the Logbook window's figures, and
// `last.FIELD` of the newest record. `parts` is the item split at its dots, "logbook" first.
// Throws ScenarioError for anything else.
std::string logbookItem(logbook::Logbook* book, const std::vector<std::string>& parts);

} // namespace script
