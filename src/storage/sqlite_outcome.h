// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/logbook_store.h"

#include <QSqlError>
#include <QString>

namespace storage {

// What an SQLite error means for the player's logbook, from its result code.
logbook::Trouble troubleOf(const QSqlError& error);

logbook::Outcome outcomeOf(const QSqlError& error);
logbook::Outcome outcome(logbook::Trouble trouble, const QString& detail);

} // namespace storage
