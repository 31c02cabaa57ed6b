// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/logbook_store.h"
#include "logbook/retry.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace logbook {

// The player's logbook as the game uses it: it opens its store when first needed, holds a
// record it could not write in memory and writes it once the file takes it, and has at most one
// piece of bad news to tell the player each run.
//
// Without a retrier, held records are tried again before the next record is written. With one,
// they are tried on their own, off the caller's thread, a little later each time they fail;
// the caller's own store should then never wait for a lock, so that nothing it does waits.
class Logbook {
public:
    explicit Logbook(std::unique_ptr<Store> store, std::unique_ptr<Retrier> retrier = nullptr);
    ~Logbook();
    Logbook(const Logbook&) = delete;
    Logbook& operator=(const Logbook&) = delete;

    const std::string& path() const { return store_->path(); }

    // Writes the record, giving it a `recordId` first if it has none; on success its `id` and
    // `search` are set. A record that cannot be written now stays listed for this run, under an
    // id below 0, and is written later under the same `recordId`.
    void write(SearchRecord& record);

    // Every record: those written, then those waiting to be written, oldest first.
    std::vector<SearchRecord> records();
    std::optional<SearchRecord> record(std::int64_t id);
    int count();       // those written and those waiting
    int countInFile(); // those written
    bool remove(std::int64_t id);

    // What the player must be told about the file, once per run; empty when nothing is to be.
    std::string takeNews();

    // Records held in the hope that the file takes them later (not those of a file that will
    // never be written this run, of which the player has been told), and what keeps them out.
    int held() const;
    const Outcome& heldBecause() const { return heldBecause_; }

    // The last try before the program ends: waits for a try under way, then tries once more,
    // each for at most about `waitMs`. Returns how many records are still held.
    int keepHeld(int waitMs);

    // Called when held records have reached the file on their own.
    std::function<void()> onWritten;
    // Told what went wrong with the file, for a developer: "PATH: what happened".
    std::function<void(const std::string&)> diagnose;

private:
    void ensureOpen();
    void note(const Outcome& outcome);
    void retryUnwritten();
    bool append(SearchRecord& r);
    void renumber(SearchRecord& r) const;
    void tryLater();
    void startAttempt(int delayMs);
    bool finishAttempt(int waitMs); // false while the try goes on
    void attemptFinished();
    void takeFinishedAttempt();
    void settle(const Attempt& attempt);
    void removeDeleted();

    std::unique_ptr<Store> store_;
    Outcome opening_; // what opening the store found
    bool opened_ = false;
    bool usable_ = true; // false when the file must never be written again this run
    bool told_ = false;
    std::string news_;
    Outcome heldBecause_;
    std::vector<SearchRecord> unwritten_; // ids below 0, counting down
    std::int64_t nextUnwrittenId_ = -1;
    std::map<std::int64_t, std::int64_t> renumbered_; // search numbers given to unwritten ones
    std::vector<std::int64_t> deleted_; // written as the player deleted them, to be removed
    int retryDelayMs_;
    bool attempting_ = false;
    std::unique_ptr<Retrier> retrier_; // last, so that it stops before the rest goes
};

// The sentence that tells the player what happened to the logbook and where the file is.
std::string troubleMessage(const Outcome& outcome, const std::string& path);

// The question asked at the end of the run while records are still held: how many, why, and
// where the file is; Retry tries again, Cancel quits without them.
std::string unwrittenMessage(int count, const Outcome& why, const std::string& path);

} // namespace logbook
