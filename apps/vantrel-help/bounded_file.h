// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

namespace vantrel_help {

// The largest help file, or picture in it, that the viewer reads.
inline constexpr qint64 kLargestHelpFile = 16 * 1024 * 1024;

struct FileContents {
    QByteArray bytes;
    QString problem; // empty when read
    bool tooLarge = false;
};

// Reads a regular file of at most `limit` bytes. A FIFO, a device such as /dev/zero or a file
// that grows past the limit is refused at once, never waited on nor read without end.
FileContents readRegularFile(const QString& path, qint64 limit = kLargestHelpFile);

} // namespace vantrel_help
