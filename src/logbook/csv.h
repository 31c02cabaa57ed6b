// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace logbook {

// The records as comma-separated values with a heading row, one row per Reveal, lines ending in
// CRLF and fields quoted where they must be, as spreadsheets read them.
std::string csvOf(const std::vector<SearchRecord>& records);

// One row of text cells in the same way: quoted where they must be, a cell that reads as a
// spreadsheet's formula kept as text, ending in CRLF.
std::string csvRow(const std::vector<std::string>& cells);

// Writes text to a file whole: into a new file of its own beside it first, which then takes the
// name, so an old file of that name stays as it was if anything fails. A file written over keeps
// its permissions; a new one gets those the user's umask gives. False when it could not.
bool writeFileWhole(const std::string& path, const std::string& text);

// Removes from `folder` the temporaries that writeFileWhole left there when it was killed: only
// our own plain files (".NAME.vantrel-tmp-PID-NUMBER") whose writer has gone or that are older
// than a minute, never anything else. `now` is in seconds since 1970 on the clock the folder's
// files are stamped by.
void removeLeftoverTemporaries(const std::string& folder, std::int64_t now);

// The folder a file path names its file in ("." for a bare name), and the player's setting that
// keeps the folder exported to last.
std::string folderOf(const std::string& path);
inline constexpr const char* kExportFolderSetting = "logbook/exportFolder";

// The path with ".csv" added when its file name has no dot at all, as a name typed in a save
// dialog may not ("scores" becomes "scores.csv"; "scores.txt", "scores." and ".scores" stay).
std::string withCsvExtension(const std::string& path);

} // namespace logbook
