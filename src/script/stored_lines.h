// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/logbook.h"
#include "logbook/squadron_class.h"
#include "logbook/squadron_membership.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// The lines of a scenario that reach past the game: the logbook's file (`logbook`, `lock`) and
// the squadron's server (`squadron`, `exercise`). A build that keeps neither refuses them, each
// with one line saying so.
namespace script {

// What the program needs before any of them can work, kept for the whole run.
struct StoredLinesReady {
    virtual ~StoredLinesReady() = default;
};
std::unique_ptr<StoredLinesReady> readyStoredLines(int& argc, char** argv);

// The logbook file for the run, its damaged files named by `utcSeconds`. A write never waits
// for the file: a locked one holds the record, as in the game.
std::unique_ptr<logbook::Store> logbookFile(const std::string& path,
                                            std::function<std::int64_t()> utcSeconds);

// Another program holding the logbook file until this is let go.
struct FileHolder {
    virtual ~FileHolder() = default;
};
std::unique_ptr<FileHolder> holdLogbookFile(const std::string& path);

// Refuses a connection string that is not one (a build without the squadron, any at all); false
// for one that names nothing.
bool checkConninfo(const std::string& conninfo);
// The squadron the connection string names, joined for the whole run, its records sent from
// the logbook at `logbookPath`.
std::unique_ptr<logbook::SquadronMembership> scriptedSquadron(const std::string& conninfo,
                                                              const std::string& logbookPath);
// The squadron's class, read before each answer returns.
std::unique_ptr<logbook::SquadronClass> scriptedClass(const std::string& conninfo);

} // namespace script
