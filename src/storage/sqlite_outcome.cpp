// SPDX-License-Identifier: MIT
#include "storage/sqlite_outcome.h"

namespace storage {

namespace {

// SQLite's primary result codes; Qt hands over the extended ones, whose low byte is the primary.
enum : int {
    kPerm = 3,
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kCorrupt = 11,
    kFull = 13,
    kNotADatabase = 26,
};

} // namespace

logbook::Trouble troubleOf(const QSqlError& error) {
    using logbook::Trouble;
    if (error.type() == QSqlError::NoError) return Trouble::None;
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff;
    if (!isNumber) return Trouble::Unusable;
    switch (code) {
    case kBusy:
    case kLocked:
        return Trouble::Locked;
    case kFull:
        return Trouble::DiskFull;
    case kCorrupt:
    case kNotADatabase:
        return Trouble::Damaged;
    case kPerm:
    case kReadOnly:
        return Trouble::ReadOnly;
    default:
        return Trouble::Unusable;
    }
}

logbook::Outcome outcome(logbook::Trouble trouble, const QString& detail) {
    return {trouble, {}, detail.toStdString()};
}

logbook::Outcome outcomeOf(const QSqlError& error) {
    return outcome(troubleOf(error), error.text());
}

} // namespace storage
