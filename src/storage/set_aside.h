// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QString>

namespace storage {

// A name beside `path` for a damaged logbook taken out of the way at `when`:
// "logbook.sqlite.damaged-20261207T140359Z", then "-2", "-3"... so that neither it nor its
// "-wal" and "-shm" companions would replace a file already there.
QString freeSetAsidePath(const QString& path, const QDateTime& when);

// Moves `path` and whichever of its "-wal" and "-shm" companions exist to a free name, never
// replacing anything. Returns the new name of `path`, or "" when it could not be moved.
QString setAside(const QString& path, const QDateTime& when);

} // namespace storage
