// SPDX-License-Identifier: MIT
#include "stored_lines.h"

#include "logbook_holder.h"
#include "squadron_line.h"
#include "storage/sqlite_store.h"
#include "tokenizer.h"

#include <QCoreApplication>

namespace script {

namespace {

struct Application final : StoredLinesReady {
    Application(int& argc, char** argv) : app(argc, argv) {}
    QCoreApplication app;
};

struct HeldFile final : FileHolder {
    explicit HeldFile(const std::string& path) : holder(path) {}
    LogbookHolder holder;
};

squadron::Settings settingsOf(const std::string& conninfo) {
    std::string error;
    squadron::Settings settings = squadron::parseConninfo(conninfo, error);
    if (!error.empty()) throw ScenarioError("not a connection string: " + error);
    return settings;
}

} // namespace

// The logbook's database driver is a Qt plugin, found through the application.
std::unique_ptr<StoredLinesReady> readyStoredLines(int& argc, char** argv) {
    return std::make_unique<Application>(argc, argv);
}

std::unique_ptr<logbook::Store> logbookFile(const std::string& path,
                                            std::function<std::int64_t()> utcSeconds) {
    return std::make_unique<storage::SqliteStore>(
        path, storage::SqliteOptions{.busyTimeoutMs = 0, .utcSeconds = std::move(utcSeconds)});
}

std::unique_ptr<FileHolder> holdLogbookFile(const std::string& path) {
    auto held = std::make_unique<HeldFile>(path);
    if (!held->holder.holding()) throw ScenarioError("cannot lock " + path);
    return held;
}

bool checkConninfo(const std::string& conninfo) {
    return !settingsOf(conninfo).empty();
}

std::unique_ptr<logbook::SquadronMembership> scriptedSquadron(const std::string& conninfo,
                                                              const std::string& logbookPath) {
    return std::make_unique<ScriptedSquadron>(settingsOf(conninfo), logbookPath);
}

std::unique_ptr<logbook::SquadronClass> scriptedClass(const std::string& conninfo) {
    return scriptedClassOf(settingsOf(conninfo));
}

} // namespace script
