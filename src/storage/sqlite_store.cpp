// SPDX-License-Identifier: MIT
// The logbook file opened: checked, set aside when damaged, brought up to date.
#include "storage/sqlite_store.h"

#include "storage/schema.h"
#include "storage/set_aside.h"
#include "storage/sqlite_outcome.h"
#include "storage/sqlite_statements.h"

#include <atomic>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QUrl>

namespace storage {

using logbook::Outcome;
using logbook::Trouble;

namespace {

QString nextConnectionName() {
    static std::atomic<int> made{0};
    return QStringLiteral("vantrel-logbook-%1").arg(++made);
}

// Every SQLite database starts so; anything else is not handed to SQLite, which might take a
// stray write-ahead log beside it for its own and delete it.
bool hasDatabaseMagic(const QString& path) {
    static const QByteArray magic("SQLite format 3\0", 16);
    QFile file(path);
    return !file.open(QIODevice::ReadOnly) || file.read(magic.size()) == magic;
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// A disk with less room than this is full for a logbook being made: SQLite meets one with no
// room for its shared memory or a page as an I/O error as often as a full disk.
constexpr qint64 kRoomToStart = qint64{1} << 20;

// An error while the file was being made or brought up to date, told as the full disk it was.
Outcome fullDiskOr(Outcome failure, const QString& folder) {
    if (failure.trouble != Trouble::Unusable) return failure;
    const QStorageInfo disk(folder);
    if (!disk.isValid() || disk.bytesAvailable() >= kRoomToStart) return failure;
    failure.trouble = Trouble::DiskFull;
    failure.detail += "; " + std::to_string(disk.bytesAvailable()) + " bytes free on its disk";
    return failure;
}

} // namespace

SqliteStore::SqliteStore(std::string path, SqliteOptions options)
    : path_(std::move(path)), file_(QString::fromStdString(path_)),
      connection_(nextConnectionName()), options_(options) {}

SqliteStore::~SqliteStore() {
    disconnect();
}

QSqlDatabase SqliteStore::db() const {
    return QSqlDatabase::database(connection_, false);
}

bool SqliteStore::connect(Access access) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    connected_ = true;
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options_.busyTimeoutMs);
    if (access == Access::ReadWrite) {
        db.setDatabaseName(file_);
    } else if (access == Access::ReadOnly) {
        db.setDatabaseName(file_);
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    } else {
        // SQLite reads a file promised never to change without the shared-memory file a
        // write-ahead log needs, which a folder we may not write in cannot hold.
        db.setDatabaseName(QUrl::fromLocalFile(file_).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?immutable=1"));
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    }
    db.setConnectOptions(options);
    return db.open();
}

void SqliteStore::disconnect() {
    if (!connected_) return;
    {
        QSqlDatabase db = this->db();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
    connected_ = false;
    state_ = State::Closed;
    writable_ = false;
}

Outcome SqliteStore::open() {
    opened_ = openWithSetAside();
    return opened_;
}

Outcome SqliteStore::openWithSetAside() {
    disconnect();
    const Outcome first = openOnce();
    return first.trouble == Trouble::Damaged && options_.setsAside ? startAfresh(first) : first;
}

Outcome SqliteStore::startAfresh(Outcome damaged) {
    disconnect();
    const QDateTime now = options_.utcSeconds
                              ? QDateTime::fromSecsSinceEpoch(options_.utcSeconds(), Qt::UTC)
                              : QDateTime::currentDateTimeUtc();
    const QString aside = setAside(file_, now);
    if (aside.isEmpty())
        return outcome(Trouble::Unusable,
                       text(damaged.detail) + QStringLiteral("; the file could not be set aside"));
    damaged.setAsidePath = aside.toStdString();
    const Outcome fresh = openOnce();
    if (!fresh.ok()) damaged.detail += "; the fresh logbook: " + fresh.detail;
    return damaged;
}

// Looks at the file through a connection that cannot change it, so that a damaged file and its
// write-ahead log are set aside as they were found, and a newer game's file is left untouched.
// A folder we may not write in cannot hold the shared-memory file a write-ahead log needs; the
// file is then read as one that does not change.
Outcome SqliteStore::lookWithoutWriting(Header& header) {
    QSqlError error;
    for (Access access : {Access::ReadOnly, Access::Immutable}) {
        if (connect(access) && readHeader(header, error)) {
            access_ = access;
            return {};
        }
        if (!failed(error)) error = db().lastError();
        disconnect();
        const Trouble trouble = troubleOf(error);
        if (trouble == Trouble::Damaged || trouble == Trouble::Locked) return outcomeOf(error);
    }
    return outcome(Trouble::Unusable, error.text());
}

bool SqliteStore::readHeader(Header& header, QSqlError& error) {
    error = {};
    QSqlQuery query(db());
    // One statement, so that all come from the same moment of a file another copy of the game
    // may be creating.
    if (!query.exec(QStringLiteral(
            "SELECT (SELECT user_version FROM pragma_user_version), (SELECT count(*) FROM "
            "sqlite_schema), (SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name IN "
            "('searches', 'reveals'))")) ||
        !query.next()) {
        error = query.lastError();
        return false;
    }
    header.version = query.value(0).toInt();
    header.entries = query.value(1).toInt();
    header.ourTables = query.value(2).toInt();
    return true;
}

// The whole file is checked, the tracks and SQLite's own tables with the list's: a damaged page
// anywhere shows now, before the game writes into the file, rather than halfway through a
// later write or never. The check reads every page (about 0.1 s for 100,000 records). Reading
// them through a memory map would save a third of that, but another program shortening the
// file meanwhile would then end the game with SIGBUS instead of an error.
QString SqliteStore::checkIntegrity(QSqlError& error) {
    return scalar(db(), QStringLiteral("PRAGMA quick_check"), error).toString();
}

Outcome SqliteStore::openOnce() {
    const QFileInfo info(file_);
    if (!QDir().mkpath(info.absolutePath()))
        return fullDiskOr(outcome(Trouble::Unusable,
                                  QStringLiteral("cannot make the folder ") + info.absolutePath()),
                          info.absolutePath());
    if (info.isDir()) return outcome(Trouble::Unusable, file_ + QStringLiteral(" is a folder"));

    Header header;
    const bool existed = info.exists() && info.size() > 0;
    if (existed) {
        if (!hasDatabaseMagic(file_))
            return outcome(Trouble::Damaged, QStringLiteral("not an SQLite database"));
        const Outcome looked = lookWithoutWriting(header);
        if (!looked.ok()) return looked;
        if (header.version > kSchemaVersion) {
            state_ = State::Newer;
            return outcome(Trouble::Newer, QStringLiteral("schema version %1, this game knows "
                                                          "up to %2")
                                               .arg(header.version)
                                               .arg(kSchemaVersion));
        }
        // SQLite keeps any 32-bit number there; one below 0 was never written by a game.
        if (header.version < 0)
            return outcome(
                Trouble::Damaged,
                QStringLiteral("schema version %1, not a logbook's").arg(header.version));
        if (header.version == 0 ? header.entries > 0 : header.ourTables < 2)
            return outcome(Trouble::Damaged, QStringLiteral("a database, but not a logbook"));
        QSqlError error;
        const QString verdict = checkIntegrity(error);
        if (failed(error)) return outcomeOf(error);
        if (verdict != QStringLiteral("ok"))
            return outcome(Trouble::Damaged, QStringLiteral("quick_check: ") + verdict);
    }
    const int version = header.version;

    // SQLite may open a file it cannot write for reading and writing, and say so only at a
    // later statement: the writes that follow tell. A file last looked at as unchanging may
    // only have needed its write-ahead log recovered, which takes a writer.
    const Access reading = existed ? access_ : Access::ReadOnly;
    disconnect();
    if (connect(Access::ReadWrite)) {
        access_ = Access::ReadWrite;
        QSqlQuery setup(db());
        // Readers never wait for a writer, and a commit needs no flush to disk to be whole.
        setup.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        setup.exec(QStringLiteral("PRAGMA synchronous = NORMAL"));
        setup.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
        if (options_.maxPageCount > 0)
            setup.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(options_.maxPageCount));
        writable_ = true;
        if (version == kSchemaVersion) state_ = State::Current;
        const Outcome update = bringUpToDate();
        // A file locked now may be free by the time there is a record to write.
        if (update.trouble == Trouble::Locked && state_ == State::Current) return {};
        if (update.trouble != Trouble::ReadOnly) return fullDiskOr(update, info.absolutePath());
    }
    if (!existed)
        return fullDiskOr(outcome(Trouble::Unusable, file_ + QStringLiteral(" cannot be made")),
                          info.absolutePath());
    // Read as it was looked at: SQLite may not even read through a writer it cannot use.
    disconnect();
    if (!connect(reading))
        return outcome(Trouble::Unusable, file_ + QStringLiteral(" cannot be read"));
    access_ = reading;
    refusal_ = Trouble::ReadOnly;
    // An older layout is not read: bringing it up to date would mean writing.
    if (version == kSchemaVersion) state_ = State::Current;
    return outcome(Trouble::ReadOnly, file_ + QStringLiteral(" cannot be written"));
}

// Runs the migrations one version at a time, each in a transaction of its own; on a file
// already up to date, the empty transaction proves that it can be written.
Outcome SqliteStore::bringUpToDate() {
    for (;;) {
        WriteTransaction transaction(db());
        QSqlError error = transaction.begin();
        int version = 0;
        if (!failed(error))
            version = scalar(db(), QStringLiteral("PRAGMA user_version"), error).toInt();
        if (!failed(error) && version == kSchemaVersion) {
            state_ = State::Current;
            // Rewriting the version, rolled back at once, is the one sure test that SQLite may
            // write the file: it may have opened a read-only file without a word.
            QSqlQuery probe(db());
            if (probe.exec(QStringLiteral("PRAGMA user_version = %1").arg(version))) return {};
            error = probe.lastError();
        }
        if (!failed(error) && version > kSchemaVersion) {
            // Another copy of the game, a newer one, got there first.
            state_ = State::Newer;
            return outcome(Trouble::Newer, QStringLiteral("schema version %1").arg(version));
        }
        if (!failed(error)) {
            QSqlDatabase connection = db();
            error = migrateOneStep(connection, version);
        }
        if (!failed(error)) {
            QSqlQuery query(db());
            if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version + 1)))
                error = query.lastError();
        }
        if (!failed(error)) error = transaction.commit();
        if (failed(error)) {
            const Outcome failure = outcomeOf(error);
            if (failure.trouble == Trouble::ReadOnly) {
                writable_ = false;
                refusal_ = Trouble::ReadOnly;
            }
            return failure;
        }
    }
}

Outcome SqliteStore::refusal() const {
    switch (state_) {
    case State::Newer:
        return outcome(Trouble::Newer, file_ + QStringLiteral(" is from a newer game"));
    case State::Closed:
        if (!connected_) return outcome(Trouble::Unusable, file_ + QStringLiteral(" is not open"));
        break;
    case State::Current:
        break;
    }
    return outcome(refusal_, file_ + QStringLiteral(" cannot be written"));
}

} // namespace storage
