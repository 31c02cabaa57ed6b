// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/retry.h"
#include "storage/sqlite_store.h"

#include <atomic>
#include <future>
#include <memory>
#include <QObject>
#include <QThread>
#include <QTimer>

namespace storage {

// Writes held records into the logbook file on a thread of its own, through a connection of
// its own that waits for a lock as long as any write does; the thread that starts a try is never
// held. `finished` comes back through that thread's event loop.
class BackgroundWriter final : public logbook::Retrier {
public:
    explicit BackgroundWriter(std::string path, SqliteOptions options = {});
    ~BackgroundWriter() override;
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    void start(std::vector<logbook::SearchRecord> held, int delayMs,
               std::function<void()> finished) override;
    std::optional<logbook::Attempt> result(int waitMs) override;
    void fileReplaced() override { replaced_ = true; }

private:
    void launch();

    std::string path_;
    SqliteOptions options_;
    QThread thread_;
    QObject* worker_;                    // lives on thread_
    std::unique_ptr<SqliteStore> store_; // made, used and closed on thread_ alone
    QObject context_;                    // on the starting thread
    QTimer delay_;
    std::vector<logbook::SearchRecord> waiting_;
    std::function<void()> finished_;
    std::future<logbook::Attempt> running_;
    std::atomic<bool> replaced_ = false;
};

} // namespace storage
