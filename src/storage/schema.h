// SPDX-License-Identifier: MIT
#pragma once

#include <QSqlDatabase>
#include <QSqlError>

namespace storage {

// The layout of the logbook file, numbered in its `PRAGMA user_version`. 0 is a file with
// nothing in it yet. A file with a higher number was written by a newer game.
inline constexpr int kSchemaVersion = 4;

// Brings the file up by one version, from `from` to `from + 1`, inside the caller's
// transaction; the caller also writes the new user_version. Returns the first error, if any;
// a `from` it has no step for is reported as damage (SQLite's code for a corrupt file).
QSqlError migrateOneStep(QSqlDatabase& db, int from);

} // namespace storage
