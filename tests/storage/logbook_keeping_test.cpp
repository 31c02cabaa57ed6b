// SPDX-License-Identifier: MIT
// The logbook as the game uses it, over a real file: a record that cannot be written now is
// held and written once the file takes it.
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

// With a writer of its own, as in the game, whose window never waits for a lock, held records
// reach the file from the writer's thread soon after it is free, without another Reveal; at the
// end of the run one last try writes what is still held. Without a writer, the scenario
// held_then_written shows them written at the next Reveal.
TEST_F(LogbookKeeping, aWriterPutsHeldRecordsInTheFileOnceItIsFreeAndAtTheEnd) {
    Logbook book(std::make_unique<storage::SqliteStore>(path.toStdString(),
                                                        storage::SqliteOptions{.busyTimeoutMs = 0}),
                 std::make_unique<storage::BackgroundWriter>(
                     path.toStdString(), storage::SqliteOptions{.busyTimeoutMs = 50}));
    int written = 0;
    book.onWritten = [&written] { ++written; };
    auto heldOne = makeRecord(1, 10);
    {
        RawConnection other(path);
        other.exec("BEGIN EXCLUSIVE");
        book.write(heldOne);
        QCoreApplication::processEvents(); // tries that find the file locked keep it held
        EXPECT_EQ(book.keepHeld(100), 1);
        other.exec("ROLLBACK");
    }
    EXPECT_TRUE(QTest::qWaitFor([&book] { return book.held() == 0; }, storage_test::kProcessMs));
    EXPECT_GE(written, 1);
    ASSERT_FALSE(heldOne.recordId.empty()); // the id it was listed under while held
    EXPECT_EQ(book.records().at(0).recordId, heldOne.recordId);
    auto last = makeRecord(2, 5);
    {
        RawConnection other(path);
        other.exec("BEGIN EXCLUSIVE");
        book.write(last);
        other.exec("ROLLBACK");
    }
    EXPECT_EQ(book.keepHeld(storage_test::kProcessMs), 0);
    EXPECT_EQ(book.countInFile(), 2);
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
