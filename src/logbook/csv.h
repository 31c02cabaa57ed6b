// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/search_record.h"

#include <string>
#include <vector>

namespace logbook {

// The records as comma-separated values with a heading row, one row per Reveal, lines ending in
// CRLF and fields quoted where they must be, as spreadsheets read them.
std::string csvOf(const std::vector<SearchRecord>& records);

// Writes text to a file whole: into a new file of its own beside it first, which then takes the
// name, so an old file of that name stays as it was if anything fails. False when it could not.
bool writeFileWhole(const std::string& path, const std::string& text);

} // namespace logbook
