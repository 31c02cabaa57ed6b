// SPDX-License-Identifier: MIT
// The logbook in bad surroundings: each ends in one Outcome, and nothing already recorded is
// lost.
#include "logbook/logbook.h"
#include "storage/schema.h"
#include "storage/set_aside.h"
#include "storage/sqlite_outcome.h"
#include "storage/sqlite_store.h"
#include "store_fixtures.h"
#include "support/throwaway_user.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using logbook::Trouble;
using storage::SqliteStore;
using storage_test::makeRecord;
using storage_test::RawConnection;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Overwrites the first page of the table or index `name`, as a failing disk might; returns the
// file as left.
QByteArray damagePage(const QString& path, const QString& name = QStringLiteral("tracks")) {
    const int root =
        RawConnection(path)
            .value(QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = '%1'").arg(name))
            .toInt();
    const int pageSize = RawConnection(path).value("PRAGMA page_size").toInt();
    QByteArray bytes = contents(path);
    bytes.replace((root - 1) * pageSize, pageSize, QByteArray(pageSize, '\x5a'));
    write(path, bytes);
    return bytes;
}

// A closed logbook of `records` records at `path`.
void makeLogbook(const QString& path, int records) {
    SqliteStore store(path.toStdString());
    ASSERT_TRUE(store.open().ok());
    for (int i = 0; i < records; ++i) {
        auto record = makeRecord(i, 300);
        ASSERT_TRUE(store.append(record).ok());
    }
}

class StoreSurroundings : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString file(const QString& name = QStringLiteral("logbook.sqlite")) const {
        return dir_.filePath(name);
    }
    QTemporaryDir dir_;
};

// A file that is not a logbook is moved aside whole, with its companion files, and a fresh
// logbook takes its place; a second damaged file in the same second gets a name of its own.
TEST_F(StoreSurroundings, setsAsideADamagedFileAndStartsAfresh) {
    const struct {
        const char* what;
        std::function<void(const QString&)> make;
    } damages[] = {
        {"a text file",
         [](const QString& path) {
             write(path, "Flight notes: not a logbook\n");
             write(path + "-wal", "left over");
         }},
        {"random bytes after a valid header",
         [](const QString& path) {
             makeLogbook(path, 20);
             QByteArray bytes = contents(path);
             QRandomGenerator random(7);
             for (qsizetype i = 100; i < bytes.size(); ++i)
                 bytes[i] = static_cast<char>(random.bounded(256));
             write(path, bytes);
         }},
        {"another program's database",
         [](const QString& path) { RawConnection(path).exec("CREATE TABLE cats(name TEXT)"); }},
        {"another program's database with a version of its own",
         [](const QString& path) {
             RawConnection other(path);
             other.exec("CREATE TABLE cats(name TEXT)");
             other.exec("PRAGMA user_version = 2");
         }},
        {"a logbook whose version is below 0",
         [](const QString& path) {
             makeLogbook(path, 3);
             RawConnection(path).exec("PRAGMA user_version = -5");
         }},
    };
    for (const auto& damage : damages) {
        SCOPED_TRACE(damage.what);
        const QString path = file(QString::fromUtf8(damage.what) + ".sqlite");
        QStringList asides;
        QList<QByteArray> kept;
        for (int round = 0; round < 2; ++round) {
            for (const char* suffix : {"", "-wal", "-shm"})
                QFile::remove(path + suffix); // the fresh logbook of the round before
            damage.make(path);
            const QByteArray before = contents(path);
            const QByteArray logBefore = contents(path + "-wal");
            const bool hadLog = QFile::exists(path + "-wal");

            SqliteStore store(path.toStdString());
            const auto opened = store.open();
            EXPECT_EQ(opened.trouble, Trouble::Damaged) << opened.detail;
            const QString aside = QString::fromStdString(opened.setAsidePath);
            ASSERT_TRUE(aside.startsWith(path + ".damaged-")) << aside.toStdString();
            EXPECT_EQ(contents(aside), before);
            EXPECT_TRUE(!hadLog || contents(aside + "-wal") == logBefore);
            EXPECT_EQ(store.count(), 0);
            auto record = makeRecord(1, 10);
            EXPECT_TRUE(store.append(record).ok());
            asides << aside;
            kept << before;
        }
        EXPECT_NE(asides[0], asides[1]);
        EXPECT_EQ(contents(asides[0]), kept[0]);
    }
}

// A damaged page among the tracks, in SQLite's own numbering or in an index is set aside: when
// the file is opened, before anything is written into it, or, for damage that comes after
// opening, at the next write. The record goes into the fresh logbook.
TEST_F(StoreSurroundings, setsAsideADamagedFileWhenItIsOpenedOrAtTheNextWrite) {
    const struct {
        const char* name;
        bool sinceOpened;
    } cases[] = {{"tracks", false},
                 {"sqlite_sequence", false},
                 {"reveals_by_search", false},
                 {"search_tracks", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = file(QString::fromUtf8(c.name) + ".sqlite");
        makeLogbook(path, 3);
        QByteArray bytes;
        if (!c.sinceOpened) bytes = damagePage(path, QString::fromUtf8(c.name));
        SqliteStore store(path.toStdString());
        const auto opened = store.open();
        if (c.sinceOpened) {
            ASSERT_TRUE(opened.ok());
            bytes = damagePage(path, QString::fromUtf8(c.name));
        }
        auto record = makeRecord(4, 100);
        const auto written = store.append(record);
        const auto& found = c.sinceOpened ? written : opened;
        EXPECT_EQ(found.trouble, Trouble::Damaged) << found.detail;
        EXPECT_EQ(contents(QString::fromStdString(found.setAsidePath)), bytes);
        EXPECT_TRUE(c.sinceOpened || written.ok());
        EXPECT_NE(record.id, 0);
        ASSERT_EQ(store.count(), 1);
        EXPECT_EQ(store.record(record.id)->track, record.track);
        EXPECT_EQ(RawConnection(path).value("PRAGMA integrity_check").toString(), "ok");
    }
}

// A version with no step up from it is damage, never an index past the steps' ends.
TEST(SchemaSteps, reportDamageForAVersionTheyHaveNoStepFrom) {
    QTemporaryDir dir;
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "steps");
    db.setDatabaseName(dir.filePath("logbook.sqlite"));
    ASSERT_TRUE(db.open());
    for (int from : {-5, std::numeric_limits<int>::min(), storage::kSchemaVersion})
        EXPECT_EQ(storage::troubleOf(storage::migrateOneStep(db, from)), Trouble::Damaged) << from;
    db.close();
    db = {};
    QSqlDatabase::removeDatabase("steps");
}

TEST(SetAsideName, neverNamesAFileAlreadyThere) {
    QTemporaryDir dir;
    const QString path = dir.filePath("logbook.sqlite");
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 3, 59), Qt::UTC);
    const QString stem = path + ".damaged-20261207T140359Z";
    EXPECT_EQ(storage::freeSetAsidePath(path, when), stem);
    write(stem, "earlier");
    write(stem + "-2-shm", "earlier's companion");
    EXPECT_EQ(storage::freeSetAsidePath(path, when), stem + "-3");
}

// A logbook from a newer game is left exactly as it is: not read, not written, not moved.
TEST_F(StoreSurroundings, leavesALogbookFromANewerGameAlone) {
    makeLogbook(file(), 2);
    RawConnection(file()).exec(
        QStringLiteral("PRAGMA user_version = %1").arg(storage::kSchemaVersion + 1));
    const QByteArray before = contents(file());

    {
        SqliteStore store(file().toStdString());
        EXPECT_EQ(store.open().trouble, Trouble::Newer);
        EXPECT_EQ(store.count(), 0);
        EXPECT_TRUE(store.records().empty());
        auto record = makeRecord(1, 10);
        EXPECT_EQ(store.append(record).trouble, Trouble::Newer);
        EXPECT_EQ(store.remove(1).trouble, Trouble::Newer);
    }
    EXPECT_EQ(contents(file()), before);
    // Reading leaves an empty write-ahead log and its shared memory, nothing else.
    EXPECT_EQ(QDir(dir_.path()).entryList({"*damaged*"}, QDir::Files), QStringList{});
    EXPECT_EQ(contents(file("logbook.sqlite-wal")), "");
}

// SQLite's own SQLITE_FULL, met by capping the file at the pages it has (a real full disk
// reports the same): the record is not written and the ones before it stay whole.
TEST_F(StoreSurroundings, reportsAFullDiskAndKeepsWhatWasThere) {
    makeLogbook(file(), 3);
    const int pages = RawConnection(file()).value("PRAGMA page_count").toInt();
    SqliteStore full(file().toStdString(), {.maxPageCount = pages});
    ASSERT_TRUE(full.open().ok());
    auto record = makeRecord(9, 2000);
    EXPECT_EQ(full.append(record).trouble, Trouble::DiskFull);
    EXPECT_EQ(record.id, 0);
    ASSERT_EQ(full.count(), 3);
    for (const auto& kept : full.records(true))
        EXPECT_EQ(kept.track.size(), 300u);

    SqliteStore roomy(file().toStdString());
    ASSERT_TRUE(roomy.open().ok());
    EXPECT_TRUE(roomy.append(record).ok());
    EXPECT_EQ(roomy.count(), 4);
}

// A disk with no room when the logbook is first made: the player hears the disk is full, and
// the next write makes the logbook once there is room. SQLite meets a disk with no room at all
// as a full one, and one with a little as an I/O error. Root mounts a small disk of its own.
TEST_F(StoreSurroundings, makesTheLogbookOnAFullDiskOnceThereIsRoom) {
    const QString disk = file("small-disk");
    ASSERT_TRUE(QDir().mkpath(disk));
    if (::mount("tmpfs", disk.toLocal8Bit(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "a disk of the test's own needs root and mount: " << std::strerror(errno);
    const std::unique_ptr<const char, std::function<void(const char*)>> unmount(
        "", [&disk](const char*) { ::umount2(disk.toLocal8Bit(), MNT_DETACH); });
    const QString path = disk + "/logbook.sqlite";
    for (int freeKb : {0, 16}) {
        SCOPED_TRACE(freeKb);
        write(disk + "/filler", QByteArray((1024 - freeKb) * 1024, 'x'));
        {
            SqliteStore store(path.toStdString());
            EXPECT_EQ(store.open().trouble, Trouble::DiskFull);
            auto record = makeRecord(1, 10);
            EXPECT_EQ(store.append(record).trouble, Trouble::DiskFull);
            QFile::remove(disk + "/filler");
            EXPECT_TRUE(store.append(record).ok());
            EXPECT_EQ(store.count(), 1);
        }
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path + suffix);
    }
}

// A logbook the player may read but not write, in a folder they may write and in one they may
// not: the records are read, a write is refused. Root writes any file whatever its mode, so as
// root the probe runs as a throwaway user, for whom the modes hold as they would for a player.
TEST_F(StoreSurroundings, readsButDoesNotWriteAReadOnlyLogbook) {
    const bool root = ::getuid() == 0;
    std::optional<ThrowawayUser> user;
    if (root) {
        user.emplace("vtrlog");
        ASSERT_NE(user->uid, 0u) << "useradd failed";
    }
    ::chmod(dir_.path().toLocal8Bit(), 0755);
    struct Case {
        const char* folder;
        bool folderWritable;
    };
    for (const Case& c : {Case{"writable-folder", true}, Case{"read-only-folder", false}}) {
        SCOPED_TRACE(c.folder);
        const QString folder = file(c.folder);
        const QString path = folder + "/logbook.sqlite";
        makeLogbook(path, 3);
        ASSERT_EQ(::chmod(path.toLocal8Bit(), 0444), 0);
        if (root && c.folderWritable) {
            ASSERT_EQ(::chown(folder.toLocal8Bit(), user->uid, user->gid), 0);
        }
        if (!root && !c.folderWritable) {
            ASSERT_EQ(::chmod(folder.toLocal8Bit(), 0555), 0);
        }

        QProcess probe;
        QStringList command = storage_test::helperCommand({"--probe", path});
        if (root) command = QStringList{"setpriv"} + user->as(command);
        probe.start(command[0], command.mid(1));
        ASSERT_TRUE(probe.waitForFinished(storage_test::kProcessMs));
        EXPECT_EQ(probe.readAllStandardOutput().trimmed(),
                  "open=ReadOnly count=3 append=ReadOnly count=3")
            << probe.readAllStandardError().toStdString();
        ::chmod(folder.toLocal8Bit(), 0755);
    }
}

} // namespace

// The logbook the game uses counts a record written into the fresh file once, and the player
// hears of the damage.
TEST_F(StoreSurroundings, aRecordWrittenPastDamageIsKeptOnce) {
    makeLogbook(file(), 3);
    damagePage(file(), "search_tracks");
    logbook::Logbook book(std::make_unique<SqliteStore>(file().toStdString()));
    auto record = makeRecord(4, 100);
    record.search = 0;
    book.write(record);
    EXPECT_NE(book.takeNews().find("was damaged"), std::string::npos);
    auto next = makeRecord(5, 10);
    next.search = 0;
    book.write(next);
    EXPECT_EQ(book.count(), 2);
    EXPECT_EQ(book.countInFile(), 2);
}
