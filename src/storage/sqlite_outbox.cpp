// SPDX-License-Identifier: MIT
// The squadron's outbox: which records each squadron's server has confirmed.
#include "storage/sqlite_outcome.h"
#include "storage/sqlite_statements.h"
#include "storage/sqlite_store.h"

#include <algorithm>

namespace storage {

using logbook::Outcome;

namespace {

QVariant text(const std::string& s) {
    return QVariant(QString::fromStdString(s));
}

// Whether the squadron bound to the ? has confirmed reveal r: one look-up in the primary key of
// squadron_sent.
const QString kSent = QStringLiteral(
    "EXISTS (SELECT 1 FROM squadron_sent x WHERE x.record_id = r.record_id AND x.squadron = ?)");

} // namespace

std::string SqliteStore::logbookId() {
    if (state_ != State::Current) return {};
    QSqlError error;
    const QVariant id = scalar(db(), QStringLiteral("SELECT id FROM logbook_identity"), error);
    return failed(error) ? std::string() : id.toString().toStdString();
}

std::vector<logbook::SearchRecord> SqliteStore::unsent(const std::string& squadron, int limit) {
    return select(QStringLiteral("WHERE NOT ") + kSent, {text(squadron)}, true, std::max(limit, 0));
}

Outcome SqliteStore::markSent(const std::vector<std::string>& recordIds,
                              const std::string& squadron) {
    if (state_ != State::Current || !writable_) return refusal();
    WriteTransaction transaction(db());
    QSqlError error = transaction.begin();
    if (failed(error)) return outcomeOf(error);
    QSqlQuery query(db());
    // Marks only for records in the file: an id it never held, or no longer holds, is not kept.
    query.prepare(QStringLiteral("INSERT OR IGNORE INTO squadron_sent(record_id, squadron)"
                                 " SELECT record_id, ? FROM reveals WHERE record_id = ?"));
    for (const std::string& id : recordIds) {
        query.addBindValue(text(squadron));
        query.addBindValue(text(id));
        if (!query.exec()) return outcomeOf(query.lastError());
    }
    query.finish();
    error = transaction.commit();
    return failed(error) ? outcomeOf(error) : Outcome{};
}

int SqliteStore::sentCount(const std::string& squadron) {
    return countWhere(kSent, squadron);
}

int SqliteStore::unsentCount(const std::string& squadron) {
    return countWhere(QStringLiteral("NOT ") + kSent, squadron);
}

int SqliteStore::countWhere(const QString& condition, const std::string& squadron) {
    if (state_ != State::Current) return 0;
    QSqlQuery query(db());
    query.prepare(QStringLiteral("SELECT count(*) FROM reveals r WHERE ") + condition);
    query.addBindValue(text(squadron));
    return query.exec() && query.next() ? query.value(0).toInt() : 0;
}

} // namespace storage
