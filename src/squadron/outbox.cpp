// SPDX-License-Identifier: MIT
#include "squadron/outbox.h"

#include "squadron/squadron_key.h"
#include "squadron/upload.h"
#include "storage/sqlite_store.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

namespace squadron {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using logbook::SquadronState;
using logbook::SquadronStatus;

// Records sent in one transaction: small enough that a slow line shows progress, large enough
// that a long logbook goes in a few round trips.
constexpr int kBatch = 200;
// How long one statement or a connection may wait for the server.
constexpr int kTimeoutMs = 5000;
// The pause after a failed try doubles from the first to the last; a Reveal does not cut it
// short, so that a server that is down is not hammered, but `settle` does.
constexpr auto kFirstPause = 1s;
constexpr auto kLongestPause = 60s;
// The first look at the file, unless a Reveal or a settle comes first: soon enough that what
// waited from the last run goes early, late enough not to meet the game making the file.
constexpr auto kFirstLook = 3s;
// With nothing to send the file is looked at again now and then: another copy of the game, or
// records held while the file was locked, may have written more.
constexpr auto kIdleLook = 30s;

class Outbox final : public logbook::SquadronLink {
public:
    Outbox(std::string path, Settings settings)
        : path_(std::move(path)), settings_(std::move(settings)), key_(squadronKey(settings_)),
          thread_([this] { run(); }) {}

    ~Outbox() override {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        abandon_ = true;
        wake_.notify_all();
        thread_.join();
    }

    void nudge() override {
        {
            std::lock_guard lock(mutex_);
            nudged_ = true;
        }
        wake_.notify_all();
    }

    SquadronStatus status() override {
        std::lock_guard lock(mutex_);
        return status_;
    }

    SquadronStatus settle(int waitMs) override {
        std::unique_lock lock(mutex_);
        const long asked = ++settleAsked_;
        wake_.notify_all();
        settled_.wait_for(lock, std::chrono::milliseconds(waitMs),
                          [&] { return settleDone_ >= asked; });
        return status_;
    }

private:
    void run() {
        // The file is the game's to make and bring up to date: it is opened here only once it
        // is there, and a little after the game starts rather than while it does.
        waitForFirstCall(kFirstLook);
        storage::SqliteStore store(path_, {.setsAside = false});
        while (!std::filesystem::exists(path_) && !stopping())
            waitForFirstCall(kIdleLook);
        if (stopping()) return; // a program that ends before its logbook is made makes none
        store.open();
        Connection connection(settings_, kTimeoutMs);
        connection.abandonWhen(&abandon_);
        auto pause = kFirstPause;
        while (true) {
            long settling = 0;
            {
                std::lock_guard lock(mutex_);
                if (stopping_) break;
                settling = settleAsked_;
                nudged_ = false;
            }
            // Asked to settle, the server is reached even with nothing to send, so that the
            // state tells the truth about it.
            const bool sentAll = sendWaiting(store, connection, settling > settleDone());
            std::unique_lock lock(mutex_);
            settleDone_ = std::max(settleDone_, settling);
            settled_.notify_all();
            if (sentAll) pause = kFirstPause;
            // Sent all: wait for more. Failed: wait the pause, longer each time.
            const auto wait = sentAll ? kIdleLook : pause;
            if (!sentAll) pause = std::min(pause * 2, kLongestPause);
            wake_.wait_for(lock, wait, [&] {
                return stopping_ || settleAsked_ > settling || (sentAll && nudged_);
            });
        }
        connection.close();
    }

    bool stopping() {
        std::lock_guard lock(mutex_);
        return stopping_;
    }

    // Until a nudge, a settle or the stop; a settle finds nothing yet to send.
    void waitForFirstCall(std::chrono::seconds longest) {
        std::unique_lock lock(mutex_);
        wake_.wait_for(lock, longest,
                       [&] { return stopping_ || nudged_ || settleAsked_ > settleDone_; });
        nudged_ = false;
        if (settleAsked_ > settleDone_ && !std::filesystem::exists(path_)) {
            status_.problem = {};
            settleDone_ = settleAsked_;
            settled_.notify_all();
        }
    }

    // Sends what the server has not confirmed, batch by batch; false when a try failed.
    bool sendWaiting(storage::SqliteStore& store, Connection& connection, bool mustReach) {
        // A file that could not be read (locked while the game brought it up to date, damaged
        // and about to be set aside by the game) is opened again at the next try.
        std::string logbookId = store.logbookId();
        if (logbookId.empty() && store.open().ok()) logbookId = store.logbookId();
        if (logbookId.empty()) return failedHere(store, "The logbook file cannot be read now.");
        while (!abandon_) {
            const std::vector<logbook::SearchRecord> batch = store.unsent(key_, kBatch);
            if (batch.empty() && !(mustReach && !connection.isOpen())) {
                publish(store, std::nullopt);
                return true;
            }
            if (!connection.isOpen()) {
                const Answer opened = connection.open();
                if (!opened.ok()) return failed(store, connection, opened);
            }
            if (batch.empty()) {
                publish(store, Answer{});
                return true;
            }
            const Answer sent = upload(connection, batch, logbookId);
            if (!sent.ok()) return failed(store, connection, sent);
            std::vector<std::string> ids;
            ids.reserve(batch.size());
            for (const auto& record : batch)
                ids.push_back(record.recordId);
            // Killed between the server's commit and this, the records go again next time and
            // the server keeps its one copy.
            if (!store.markSent(ids, key_).ok())
                return failedHere(store, "The logbook file cannot note what was sent.");
            publish(store, Answer{});
        }
        return false;
    }

    long settleDone() {
        std::lock_guard lock(mutex_);
        return settleDone_;
    }

    bool failed(storage::SqliteStore& store, Connection& connection, const Answer& answer) {
        connection.close();
        publish(store, answer);
        return false;
    }

    // A try that failed on this computer, not at the server: the server's state stays as it was.
    bool failedHere(storage::SqliteStore& store, const std::string& problem) {
        publish(store, std::nullopt);
        std::lock_guard lock(mutex_);
        status_.problem = problem;
        return false;
    }

    // Counts the records and says how the last try went (nothing: no try was needed).
    void publish(storage::SqliteStore& store, const std::optional<Answer>& answer) {
        const int sent = store.sentCount(key_);
        const int pending = store.unsentCount(key_);
        std::lock_guard lock(mutex_);
        status_.sent = sent;
        status_.pending = pending;
        if (!answer) {
            if (status_.state == SquadronState::None) status_.state = SquadronState::Online;
            return;
        }
        switch (answer->reach) {
        case Reach::Done:
            status_.state = SquadronState::Online;
            break;
        case Reach::Unreachable:
            status_.state = SquadronState::Offline;
            break;
        case Reach::Refused:
            status_.state = SquadronState::Refused;
            break;
        }
        if (!answer->ok()) status_.problem = answer->words;
    }

    const std::string path_;
    const Settings settings_;
    const std::string key_;

    std::mutex mutex_;
    std::condition_variable wake_;    // the thread: something to do
    std::condition_variable settled_; // settle(): a try it asked for is over
    bool stopping_ = false;
    bool nudged_ = false;
    long settleAsked_ = 0;
    long settleDone_ = 0;
    SquadronStatus status_;
    std::atomic<bool> abandon_ = false; // the program ends: a wait for the server stops short
    std::thread thread_;                // last, so that it starts after the rest is made
};

} // namespace

std::unique_ptr<logbook::SquadronLink> makeOutbox(std::string logbookPath, Settings settings) {
    return std::make_unique<Outbox>(std::move(logbookPath), std::move(settings));
}

} // namespace squadron
