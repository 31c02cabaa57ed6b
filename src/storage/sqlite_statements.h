// SPDX-License-Identifier: MIT
#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace storage {

inline bool failed(const QSqlError& error) {
    return error.type() != QSqlError::NoError;
}

// Runs a statement that yields one value; the error, if any, goes to `error`.
QVariant scalar(const QSqlDatabase& db, const QString& statement, QSqlError& error);

// A write that holds the file from its first statement, so that two copies of the game queue
// one behind the other instead of failing halfway; rolled back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(const QSqlDatabase& db) : query_(db) {}
    ~WriteTransaction() {
        if (open_) query_.exec(QStringLiteral("ROLLBACK"));
    }
    QSqlError begin() { return run(QStringLiteral("BEGIN IMMEDIATE"), true); }
    // A failed COMMIT (SQLITE_BUSY, SQLITE_FULL) may leave the transaction open: it is then
    // rolled back like any other.
    QSqlError commit() { return run(QStringLiteral("COMMIT"), false); }

private:
    QSqlError run(const QString& statement, bool opens) {
        if (!query_.exec(statement)) return query_.lastError();
        open_ = opens;
        return {};
    }
    QSqlQuery query_;
    bool open_ = false;
};

} // namespace storage
