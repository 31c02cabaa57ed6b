// SPDX-License-Identifier: MIT
// The logbook among other copies of the game: two writing at once, one killed halfway through
// a write, and a logbook from the first version of the game.
#include "storage/schema.h"
#include "storage/sqlite_store.h"
#include "store_fixtures.h"

#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <set>
#include <signal.h>

namespace {

using storage::SqliteStore;
using storage_test::helperCommand;
using storage_test::kProcessMs;
using storage_test::RawConnection;

class StoreProcesses : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QTemporaryDir dir_;
    QString path_ = dir_.filePath("logbook.sqlite");
};

// Two copies of the game appending 200 records each at the same time: all 400 are kept, each
// copy's in one search of its own, under ids handed out once.
TEST_F(StoreProcesses, twoWritersAtOnceLoseNothing) {
    constexpr int kEach = 200;
    QProcess writers[2];
    for (int i = 0; i < 2; ++i) {
        const QStringList command =
            helperCommand({"--append", path_, QString::number(kEach), QString::number(i)});
        writers[i].start(command[0], command.mid(1));
    }
    for (QProcess& writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(kProcessMs));
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    SqliteStore store(path_.toStdString());
    ASSERT_TRUE(store.open().ok());
    const auto records = store.records();
    ASSERT_EQ(records.size(), 2u * kEach);
    std::set<std::int64_t> ids;
    std::map<std::int16_t, std::set<std::int64_t>> searchesByWriter; // eltX tells the writer
    for (const auto& r : records) {
        ids.insert(r.id);
        searchesByWriter[r.eltX].insert(r.search);
    }
    EXPECT_EQ(ids.size(), records.size());
    ASSERT_EQ(searchesByWriter.size(), 2u);
    EXPECT_EQ(searchesByWriter.begin()->second.size(), 1u);
    EXPECT_EQ(searchesByWriter.rbegin()->second.size(), 1u);
    EXPECT_NE(searchesByWriter.begin()->second, searchesByWriter.rbegin()->second);
}

// A copy of the game killed at a random moment while it writes records with long tracks: the
// file stays sound and every record in it is whole (its track as long as its `hints` say).
TEST_F(StoreProcesses, aKilledWriterLeavesNoHalfRecord) {
    // A failure names its seed, and VANTREL_SEED=N waits the same while before each kill.
    const quint32 seed =
        qEnvironmentVariable("VANTREL_SEED",
                             QString::number(QRandomGenerator::global()->generate()))
            .toUInt();
    SCOPED_TRACE("VANTREL_SEED=" + std::to_string(seed));
    QRandomGenerator random(seed);
    int written = 0;
    for (int round = 0; round < 8; ++round) {
        QProcess writer;
        const QStringList command = helperCommand({"--fill", path_});
        writer.start(command[0], command.mid(1));
        QDeadlineTimer deadline(kProcessMs);
        int lines = 0;
        while (lines < 3 && writer.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            lines += static_cast<int>(writer.readAll().count('\n'));
        ASSERT_GE(lines, 3) << writer.readAllStandardError().toStdString();
        QThread::usleep(random.bounded(20000));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(kProcessMs));
        lines += static_cast<int>(writer.readAll().count('\n'));
        written += lines;

        SqliteStore store(path_.toStdString());
        ASSERT_TRUE(store.open().ok());
        EXPECT_EQ(RawConnection(path_).value("PRAGMA integrity_check").toString(), "ok");
        const auto records = store.records(true);
        EXPECT_GE(static_cast<int>(records.size()), written);
        for (const auto& r : records)
            ASSERT_EQ(static_cast<int>(r.track.size()), r.hints) << "record " << r.id;
    }
}

// A logbook written by hand in the first layout (the track inside each reveal) comes up to date
// with every record, track and first-heard point intact, and is written to as usual after.
TEST_F(StoreProcesses, bringsAFirstVersionLogbookUpToDate) {
    {
        RawConnection v1(path_);
        for (const char* statement :
             {"CREATE TABLE searches(id INTEGER PRIMARY KEY AUTOINCREMENT,"
              " elt_x INTEGER NOT NULL, elt_y INTEGER NOT NULL, vor_x INTEGER NOT NULL,"
              " vor_y INTEGER NOT NULL, airport_x INTEGER NOT NULL, airport_y INTEGER NOT NULL,"
              " map_scale INTEGER NOT NULL)",
              "CREATE TABLE reveals(id INTEGER PRIMARY KEY AUTOINCREMENT,"
              " search_id INTEGER NOT NULL REFERENCES searches(id), time_utc TEXT NOT NULL,"
              " distance_flown REAL NOT NULL, miss_distance REAL NOT NULL,"
              " first_signal_distance REAL NOT NULL, first_heard_x INTEGER,"
              " first_heard_y INTEGER, first_heard_heading INTEGER, first_heard_speed INTEGER,"
              " score REAL NOT NULL, score_text TEXT NOT NULL, rating TEXT NOT NULL,"
              " hints INTEGER NOT NULL, bearing_used INTEGER NOT NULL, minutes REAL NOT NULL,"
              " track BLOB)",
              "INSERT INTO searches VALUES(1, 120, 80, 150, 150, 20, 380, 8)",
              "INSERT INTO searches VALUES(2, 300, 40, 150, 150, 20, 380, 8)",
              // Two points: (20, 380) heading 0 at cruise, (-1, 379) heading 90 searching.
              "INSERT INTO reveals VALUES(1, 1, '2026-12-07T14:03:59Z', 41.5, 0.25, 12.5,"
              " 60, 200, 45, 4, 3.5, '3.5', 'Excellent', 2, 1, 17.25,"
              " x'14007c0100000400ffff7b015a000100')",
              "INSERT INTO reveals VALUES(2, 1, '2026-12-07T14:10:00Z', 45.0, 0.0, 12.5,"
              " 60, 200, 45, 4, 0.0, '', 'Perfect', 2, 1, 24.0, NULL)",
              "INSERT INTO reveals VALUES(3, 2, '2026-12-08T09:00:00Z', 80.0, 3.0, 0.0,"
              " NULL, NULL, NULL, NULL, 9.0, '9', 'Fair', 0, 0, 40.0, x'')",
              // Search 1 again: the start of the first track, and one branching off it.
              "INSERT INTO reveals VALUES(4, 1, '2026-12-07T14:11:00Z', 45.0, 0.0, 12.5,"
              " 60, 200, 45, 4, 0.0, '', 'Perfect', 1, 1, 25.0, x'14007c0100000400')",
              "INSERT INTO reveals VALUES(5, 1, '2026-12-07T14:12:00Z', 45.0, 0.0, 12.5,"
              " 60, 200, 45, 4, 0.0, '', 'Perfect', 2, 1, 26.0,"
              " x'14007c01000004000100020003000400')",
              "PRAGMA user_version = 1"})
            v1.exec(statement);
    }
    SqliteStore store(path_.toStdString());
    ASSERT_TRUE(store.open().ok());
    EXPECT_EQ(RawConnection(path_).value("PRAGMA user_version").toInt(), storage::kSchemaVersion);
    const auto records = store.records(true);
    ASSERT_EQ(records.size(), 5u);
    using P = logbook::TrackPoint;
    EXPECT_EQ(records[0].track, (std::vector<P>{{20, 380, 0, 4}, {-1, 379, 90, 1}}));
    EXPECT_EQ(records[0].firstHeard, (P{60, 200, 45, 4}));
    EXPECT_EQ(records[0].scoreText, "3.5");
    EXPECT_TRUE(records[1].track.empty());
    EXPECT_EQ(records[1].search, 1);
    EXPECT_EQ(records[1].rating, "Perfect");
    EXPECT_FALSE(records[2].firstHeard.has_value());
    EXPECT_EQ(records[2].eltX, 300);
    EXPECT_EQ(records[2].minutes, 40.0);
    EXPECT_EQ(records[3].track, (std::vector<P>{{20, 380, 0, 4}}));
    EXPECT_EQ(records[4].track, (std::vector<P>{{20, 380, 0, 4}, {1, 2, 3, 4}}));
    EXPECT_EQ(RawConnection(path_).value("SELECT count(*) FROM tracks").toInt(), 1);

    auto next = storage_test::makeRecord(1, 5);
    next.search = 2;
    ASSERT_TRUE(store.append(next).ok());
    EXPECT_EQ(next.id, 6);
    EXPECT_EQ(store.records().back().search, 2);
}

} // namespace
