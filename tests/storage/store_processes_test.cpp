// SPDX-License-Identifier: MIT
// The logbook among other copies of the game: two writing at once, one killed halfway through
// a write. A logbook of the game's first version is the scenario first_version.
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

} // namespace
