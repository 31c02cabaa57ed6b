// SPDX-License-Identifier: MIT
// The logbook as the game uses it, over a real file: a record that cannot be written now is
// kept for the run and written later, and the player hears of trouble once.
#include "logbook/logbook.h"
#include "storage/sqlite_store.h"
#include "store_fixtures.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

using logbook::Logbook;
using storage_test::makeRecord;
using storage_test::RawConnection;

TEST(LogbookKeeping, aLockedFileKeepsTheRecordsOfTheRunAndWritesThemWhenFree) {
    QTemporaryDir folder;
    const QString path = folder.filePath("logbook.sqlite");
    Logbook book(std::make_unique<storage::SqliteStore>(
        path.toStdString(), storage::SqliteOptions{.busyTimeoutMs = 50}));
    EXPECT_EQ(book.count(), 0);
    auto first = makeRecord(1, 10);
    first.search = 0;
    auto again = makeRecord(2, 20);
    {
        RawConnection other(path);
        other.exec("BEGIN EXCLUSIVE");
        book.write(first);
        const std::string news = book.takeNews();
        EXPECT_NE(news.find("is held by another program"), std::string::npos) << news;
        EXPECT_NE(news.find(path.toStdString()), std::string::npos) << news;
        again.search = first.search; // the same search, flown on and revealed again
        book.write(again);
        EXPECT_EQ(book.takeNews(), ""); // told once in the run
        EXPECT_EQ(book.count(), 2);
        other.exec("ROLLBACK");
    }
    auto later = makeRecord(3, 30);
    later.search = 0;
    book.write(later);
    EXPECT_GT(later.id, 0);
    EXPECT_EQ(book.takeNews(), "");

    const auto records = book.records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].search, records[1].search);
    EXPECT_NE(records[1].search, records[2].search);
    for (const auto& r : records)
        EXPECT_GT(r.id, 0);
    EXPECT_EQ(book.record(records[1].id)->track.size(), 20u);
}

TEST(LogbookKeeping, aLogbookFromANewerGameIsLeftAloneAndTheRunIsKeptInMemory) {
    QTemporaryDir folder;
    const QString path = folder.filePath("logbook.sqlite");
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
