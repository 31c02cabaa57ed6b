// SPDX-License-Identifier: MIT
// The logbook as the game uses it, over a real file: a record that cannot be written now is
// held and written once the file takes it, and the player hears of trouble once.
#include "logbook/logbook.h"
#include "storage/background_writer.h"
#include "storage/sqlite_store.h"
#include "store_fixtures.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

using logbook::Logbook;
using storage_test::makeRecord;
using storage_test::RawConnection;

// A logbook file of the test's own, not yet made.
struct LogbookKeeping : ::testing::Test {
    QTemporaryDir folder;
    const QString path = folder.filePath("logbook.sqlite");
};

// A record the file will not take now is held for the run and listed, the player told once,
// and the held records reach the file under their one search once it is free: with no writer of
// its own at the next write, with one (as in the game, whose window never waits for a lock) from
// the writer's thread soon after, without another Reveal. At the end of the run, one last try
// writes what is still held.
TEST_F(LogbookKeeping, heldRecordsReachTheFileOnceItIsFreeAndAtTheEnd) {
    for (const bool writer : {false, true}) {
        SCOPED_TRACE(writer ? "with a writer" : "without a writer");
        const QString file = folder.filePath(writer ? "writer.sqlite" : "alone.sqlite");
        Logbook book(
            std::make_unique<storage::SqliteStore>(
                file.toStdString(), storage::SqliteOptions{.busyTimeoutMs = writer ? 0 : 50}),
            writer ? std::make_unique<storage::BackgroundWriter>(
                         file.toStdString(), storage::SqliteOptions{.busyTimeoutMs = 50})
                   : nullptr);
        int written = 0;
        book.onWritten = [&written] { ++written; };
        auto first = makeRecord(1, 10);
        first.search = 0;
        auto again = makeRecord(2, 20);
        {
            RawConnection other(file);
            other.exec("BEGIN EXCLUSIVE");
            book.write(first);
            const std::string news = book.takeNews();
            EXPECT_NE(news.find("is held by another program"), std::string::npos) << news;
            EXPECT_NE(news.find(file.toStdString()), std::string::npos) << news;
            again.search = first.search; // the same search, flown on and revealed again
            book.write(again);
            EXPECT_EQ(book.takeNews(), ""); // told once in the run
            EXPECT_EQ(book.count(), 2);
            EXPECT_EQ(book.held(), 2);
            EXPECT_EQ(book.heldBecause().trouble, logbook::Trouble::Locked);
            QCoreApplication::processEvents(); // tries that find the file locked keep them held
            EXPECT_EQ(book.keepHeld(100), 2);
            other.exec("ROLLBACK");
        }
        if (writer) {
            (void)QTest::qWaitFor([&book] { return book.held() == 0; }, storage_test::kProcessMs);
            EXPECT_EQ(book.held(), 0);
            EXPECT_GE(written, 1);
        }
        auto later = makeRecord(3, 30);
        later.search = 0;
        book.write(later);
        EXPECT_GT(later.id, 0);
        EXPECT_EQ(book.takeNews(), "");
        const auto records = book.records();
        ASSERT_EQ(records.size(), 3u);
        EXPECT_GT(records[0].search, 0);
        EXPECT_EQ(records[0].search, records[1].search);
        EXPECT_NE(records[1].search, records[2].search);
        for (const auto& r : records)
            EXPECT_GT(r.id, 0);
        EXPECT_EQ(book.record(records[1].id)->track.size(), 20u);

        auto last = makeRecord(4, 5);
        {
            RawConnection other(file);
            other.exec("BEGIN EXCLUSIVE");
            book.write(last);
            other.exec("ROLLBACK");
        }
        EXPECT_EQ(book.keepHeld(storage_test::kProcessMs), 0);
        EXPECT_EQ(book.countInFile(), 4);
    }
}

TEST_F(LogbookKeeping, aLogbookFromANewerGameIsLeftAloneAndTheRunIsKeptInMemory) {
    {
        storage::SqliteStore store(path.toStdString());
        ASSERT_TRUE(store.open().ok());
    }
    RawConnection(path).exec("PRAGMA user_version = 99");
    Logbook book(std::make_unique<storage::SqliteStore>(path.toStdString()));
    auto record = makeRecord(1, 5);
    book.write(record);
    EXPECT_LT(record.id, 0);
    EXPECT_EQ(book.count(), 1);
    EXPECT_NE(book.takeNews().find("newer version"), std::string::npos);
    EXPECT_TRUE(book.remove(record.id));
    EXPECT_EQ(book.count(), 0);
    EXPECT_EQ(RawConnection(path).value("PRAGMA user_version").toInt(), 99);
}

namespace {

// A writer whose try has put the held records in the file while its word has not arrived yet.
class WriterNotHeardFrom : public logbook::Retrier {
public:
    explicit WriterNotHeardFrom(const QString& path) : store_(path.toStdString()) {}
    void start(std::vector<logbook::SearchRecord> held, int, std::function<void()>) override {
        held_ = std::move(held);
    }
    std::optional<logbook::Attempt> result(int) override { return std::exchange(done_, {}); }
    void fileReplaced() override {}
    void writeQuietly() {
        store_.open();
        done_ = logbook::writeHeld(store_, held_);
    }

private:
    storage::SqliteStore store_;
    std::vector<logbook::SearchRecord> held_;
    std::optional<logbook::Attempt> done_;
};

} // namespace

// A held record that the writer has put in the file before the game heard of it is listed and
// counted once, never as written and as held at the same time.
TEST_F(LogbookKeeping, aRecordJustWrittenByTheWriterIsListedOnce) {
    auto writer = std::make_unique<WriterNotHeardFrom>(path);
    WriterNotHeardFrom& quiet = *writer;
    Logbook book(std::make_unique<storage::SqliteStore>(path.toStdString(),
                                                        storage::SqliteOptions{.busyTimeoutMs = 0}),
                 std::move(writer));
    EXPECT_EQ(book.count(), 0);
    auto record = makeRecord(1, 10);
    {
        RawConnection other(path);
        other.exec("BEGIN EXCLUSIVE");
        book.write(record);
        other.exec("ROLLBACK");
    }
    quiet.writeQuietly();
    EXPECT_EQ(book.records().size(), 1u);
    EXPECT_EQ(book.count(), 1);
    EXPECT_EQ(book.held(), 0);
}
