// SPDX-License-Identifier: MIT
#include "logbook_holder.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace script {

LogbookHolder::LogbookHolder(const std::string& path)
    : connection_(QStringLiteral("vantrel-script-holder-") + QString::fromStdString(path)) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(QString::fromStdString(path));
    holding_ = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
}

LogbookHolder::~LogbookHolder() {
    {
        QSqlDatabase db = QSqlDatabase::database(connection_, false);
        if (holding_) QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

} // namespace script
