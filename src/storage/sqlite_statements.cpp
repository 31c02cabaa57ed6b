// SPDX-License-Identifier: MIT
#include "storage/sqlite_statements.h"

namespace storage {

QVariant scalar(const QSqlDatabase& db, const QString& statement, QSqlError& error) {
    error = {};
    QSqlQuery query(db);
    if (!query.exec(statement)) {
        error = query.lastError();
        return {};
    }
    if (!query.next()) {
        error = query.lastError();
        return {};
    }
    return query.value(0);
}

} // namespace storage
