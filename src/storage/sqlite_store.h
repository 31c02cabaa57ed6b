// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/logbook_store.h"

#include <cstdint>
#include <functional>
#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace storage {

// How long a write waits for another copy of the game to finish its own before giving up.
inline constexpr int kBusyTimeoutMs = 2000;

struct SqliteOptions {
    int busyTimeoutMs = kBusyTimeoutMs;
    // Test hook: the file may grow to this many pages (0: no limit), so that a test meets a
    // full disk through SQLite's own SQLITE_FULL without filling a real one.
    int maxPageCount = 0;
    // The date and time in seconds since 1970, UTC, that a damaged file set aside is named by:
    // the host's clock. Without one, the system's.
    std::function<std::int64_t()> utcSeconds = {};
    // Whether open() sets a damaged file aside and starts afresh. A reader of the game's file
    // beside the game leaves that to the game, which tells the player.
    bool setsAside = true;
};

// The logbook in an SQLite file, through Qt SQL. Each store has a connection of its own, so
// several may be open in one process; like any Qt SQL connection it is used from the thread
// that made it. Needs a QCoreApplication to load the SQLite driver.
//
// What open() finds, and what follows:
//  - no folder: it is made; one that cannot be, or a folder in the file's place: Unusable,
//    nothing read or written;
//  - not a logbook (not SQLite, a damaged page anywhere in it, another program's tables, a
//    version below 0): Damaged, set aside with its -wal and -shm, a fresh logbook started;
//  - written by a newer game: Newer, the file neither read, written nor moved;
//  - cannot be written (its mode, its folder's): ReadOnly, the records read; an older layout
//    that would need writing to come up to date is not read;
//  - locked past the wait while being made or brought up to date: Locked, and the next
//    append() tries again; a file already up to date opens, and a lock shows at append();
//  - no room on the disk to make it or bring it up to date: DiskFull, and the next append()
//    tries again, so that the records are written once there is room.
// append() reports Locked, DiskFull and ReadOnly with nothing written; the file stays whole.
class SqliteStore : public logbook::Store {
public:
    explicit SqliteStore(std::string path, SqliteOptions options = {});
    ~SqliteStore() override;
    SqliteStore(const SqliteStore&) = delete;
    SqliteStore& operator=(const SqliteStore&) = delete;

    const std::string& path() const override { return path_; }
    logbook::Outcome open() override;
    logbook::Outcome append(logbook::SearchRecord& record) override;
    // Nothing for a file from a newer game: its columns may no longer mean what we think.
    std::vector<logbook::SearchRecord> records(bool withTracks = false) override;
    std::optional<logbook::SearchRecord> record(std::int64_t id) override;
    int count() override;
    logbook::Outcome remove(std::int64_t id) override;

    // The squadron's outbox. A squadron is named by whatever the caller keeps apart (its server
    // and database, say): records confirmed by one are still to be sent to another. Only the
    // records in this file count; a deleted record is neither sent nor unsent.

    // The logbook's own id, a UUID made with the file; "" when the file cannot be read.
    std::string logbookId();
    // Up to `limit` records `squadron` has not confirmed, oldest first, each with its track as
    // record() gives it. Nothing when the file cannot be read.
    std::vector<logbook::SearchRecord> unsent(const std::string& squadron, int limit);
    // Notes that `squadron` has confirmed the records with these ids, all in one transaction.
    // Ids already noted, or of no record in the file (deleted meanwhile), are no trouble.
    logbook::Outcome markSent(const std::vector<std::string>& recordIds,
                              const std::string& squadron);
    int sentCount(const std::string& squadron);
    int unsentCount(const std::string& squadron);

private:
    enum class State { Closed, Newer, Current };
    enum class Access { ReadWrite, ReadOnly, Immutable };
    struct Header {
        int version = 0;   // PRAGMA user_version
        int entries = 0;   // tables, indexes... of any kind
        int ourTables = 0; // how many of the logbook's own are there
    };

    QSqlDatabase db() const;
    bool connect(Access access);
    void disconnect();
    logbook::Outcome openWithSetAside();
    logbook::Outcome startAfresh(logbook::Outcome damaged);
    logbook::Outcome openOnce();
    logbook::Outcome lookWithoutWriting(Header& header);
    bool readHeader(Header& header, QSqlError& error);
    QString checkIntegrity(QSqlError& error);
    logbook::Outcome bringUpToDate();
    logbook::Outcome appendOnce(logbook::SearchRecord& record);
    logbook::Outcome keepSearchTrack(const QVariant& search, const QByteArray& points,
                                     bool& ownTrack);
    logbook::Outcome refusal() const;
    // The records `where` picks (its ? bound to `values`), oldest first, at most `limit` of
    // them unless it is below 0.
    std::vector<logbook::SearchRecord> select(const QString& where, const QVariantList& values,
                                              bool withTracks, int limit = -1);
    // How many reveals meet `condition`, its ? bound to `squadron`.
    int countWhere(const QString& condition, const std::string& squadron);

    std::string path_;
    QString file_;
    QString connection_;
    SqliteOptions options_;
    bool connected_ = false;
    Access access_ = Access::ReadWrite;
    State state_ = State::Closed;                           // Current: the records can be read
    logbook::Trouble refusal_ = logbook::Trouble::Unusable; // why writing is refused, if it is
    bool writable_ = false;
    logbook::Outcome opened_; // what the last open() found
};

} // namespace storage
