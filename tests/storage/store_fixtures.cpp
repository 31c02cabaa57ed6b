// SPDX-License-Identifier: MIT
#include "store_fixtures.h"

#include "storage/sqlite_store.h"

#include <atomic>
#include <cstdio>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QSqlError>

namespace storage_test {

using logbook::Trouble;

logbook::SearchRecord makeRecord(int seed, int trackPoints) {
    logbook::SearchRecord r;
    r.timeUtc = "2026-12-07T14:03:" + std::to_string(10 + seed % 50) + "Z";
    r.eltX = static_cast<std::int16_t>(100 + seed);
    r.eltY = 200;
    r.vorX = 150;
    r.vorY = -5;
    r.airportX = 20;
    r.airportY = 380;
    r.mapScale = 8;
    for (int i = 0; i < trackPoints; ++i)
        r.track.push_back({static_cast<std::int16_t>(i - trackPoints / 2),
                           static_cast<std::int16_t>(seed + i), static_cast<std::int16_t>(i % 360),
                           static_cast<std::int16_t>(i % 2 ? 4 : 1)});
    r.firstHeard = logbook::TrackPoint{-300, 32767, 270, 1};
    r.distanceFlown = 41.25f + static_cast<float>(seed);
    r.missDistance = 0.5f;
    r.firstSignalDistance = 12.75f;
    r.score = 3.125f;
    r.scoreText = "3.1";
    r.rating = "Excellent";
    r.hints = trackPoints;
    r.bearingUsed = seed % 2 == 1;
    r.minutes = 17.5 + seed;
    return r;
}

namespace {

QString newConnectionName() {
    static std::atomic<int> made{0};
    return QStringLiteral("raw-%1").arg(++made);
}

} // namespace

RawConnection::RawConnection(const QString& path) : name_(newConnectionName()) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kProcessMs));
    EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
}

RawConnection::~RawConnection() {
    {
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name_);
}

bool RawConnection::exec(const QString& statement) {
    QSqlQuery query(QSqlDatabase::database(name_, false));
    const bool done = query.exec(statement);
    EXPECT_TRUE(done) << statement.toStdString() << ": " << query.lastError().text().toStdString();
    return done;
}

QVariant RawConnection::value(const QString& statement) {
    QSqlQuery query(QSqlDatabase::database(name_, false));
    if (!query.exec(statement) || !query.next()) {
        ADD_FAILURE() << statement.toStdString() << ": " << query.lastError().text().toStdString();
        return {};
    }
    return query.value(0);
}

QStringList helperCommand(const QStringList& arguments) {
    return QStringList{QCoreApplication::applicationFilePath()} + arguments;
}

namespace {

std::string name(const logbook::Outcome& outcome) {
    static const char* const kNames[] = {"None",   "Damaged",  "Newer",   "ReadOnly",
                                         "Locked", "DiskFull", "Unusable"};
    const auto trouble = static_cast<std::size_t>(outcome.trouble);
    return trouble < std::size(kNames) ? kNames[trouble] : "?";
}

// Appends `count` records of one search; prints how many failed.
int appendMany(const std::string& path, int count, int seed) {
    storage::SqliteStore store(path);
    if (!store.open().ok()) return 2;
    std::int64_t search = 0;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        auto record = makeRecord(seed, 20 + i % 7);
        record.search = search;
        const auto outcome = store.append(record);
        if (!outcome.ok()) {
            ++failures;
            std::fprintf(stderr, "append: %s\n", outcome.detail.c_str());
        }
        search = record.search;
    }
    std::printf("failures %d\n", failures);
    return failures == 0 ? 0 : 1;
}

// Appends records with long tracks until killed, saying so after each.
int fillUntilKilled(const std::string& path) {
    storage::SqliteStore store(path);
    if (!store.open().ok()) return 2;
    for (int i = 0;; ++i) {
        auto record = makeRecord(i, 1000 + (i * 977) % 3000);
        if (!store.append(record).ok()) return 1;
        std::printf("wrote\n");
        std::fflush(stdout);
    }
}

// Opens, counts, tries one append, counts again: "open=ReadOnly count=3 append=ReadOnly count=3".
int probe(const std::string& path) {
    storage::SqliteStore store(path);
    const auto opened = store.open();
    const int before = store.count();
    auto record = makeRecord(1, 5);
    const auto appended = store.append(record);
    std::printf("open=%s count=%d append=%s count=%d\n", name(opened).c_str(), before,
                name(appended).c_str(), store.count());
    if (!opened.ok()) std::fprintf(stderr, "open: %s\n", opened.detail.c_str());
    return 0;
}

} // namespace

int runHelper(int argc, char** argv) {
    if (argc < 3) return -1;
    const std::string mode = argv[1];
    if (mode == "--append" && argc == 5)
        return appendMany(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (mode == "--fill") return fillUntilKilled(argv[2]);
    if (mode == "--probe") return probe(argv[2]);
    return -1;
}

} // namespace storage_test
