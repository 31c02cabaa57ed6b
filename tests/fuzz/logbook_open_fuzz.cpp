// SPDX-License-Identifier: MIT
// Fuzzes opening a logbook file: any bytes as the file, opened by the store, one record written
// (a second Reveal of a search, with its track), every record read back with its track, the
// record removed. Whatever the file holds, none of it may crash or read out of bounds.
#include "storage/sqlite_store.h"

#include <cstdint>
#include <cstdlib>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

// One folder for the run, on a memory disk where there is one: each input is written as a file.
QDir& folder() {
    static QDir dir = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
        const QString path =
            base +
            QStringLiteral("/vantrel-logbook-fuzz-%1").arg(QCoreApplication::applicationPid());
        QDir(path).removeRecursively();
        QDir().mkpath(path);
        return QDir(path);
    }();
    return dir;
}

logbook::SearchRecord revealedAgain(std::int64_t search) {
    logbook::SearchRecord r;
    r.search = search;
    r.timeUtc = "2026-12-07T14:03:59Z";
    r.eltX = 120, r.eltY = 80, r.vorX = 150, r.vorY = 150, r.airportX = 20, r.airportY = 380;
    r.mapScale = 8;
    for (std::int16_t i = 0; i < 40; ++i)
        r.track.push_back(
            {static_cast<std::int16_t>(20 + i), static_cast<std::int16_t>(380 - i), 45, 4});
    r.score = 3.5f;
    r.rating = "Excellent";
    return r;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv); // Qt SQL loads its SQLite driver as a plugin
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QDir& dir = folder();
    const QString path = dir.filePath(QStringLiteral("logbook.sqlite"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    {
        storage::SqliteStore store(path.toStdString());
        store.open();
        // The search of the file's first record, if it has one, so that its track is extended.
        const auto before = store.records();
        auto record = revealedAgain(before.empty() ? 0 : before.front().search);
        store.append(record);
        for (const auto& r : store.records(true))
            store.record(r.id);
        store.count();
        if (record.id > 0) store.remove(record.id);
    }
    // The file, its companions and whatever was set aside as damaged.
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
    return 0;
}
