// SPDX-License-Identifier: MIT
#include "logbook.h"

#include "logbook/record_id.h"

#include <algorithm>
#include <utility>

namespace logbook {

namespace {

// Troubles after which writing again this run would only repeat them.
bool lastsTheRun(Trouble t) {
    return t == Trouble::Newer || t == Trouble::ReadOnly || t == Trouble::Unusable;
}

// Held records are tried soon after they are held, then less and less often while the file
// stays locked or full.
constexpr int kFirstRetryMs = 500;
constexpr int kLongestRetryMs = 8000;

} // namespace

Logbook::Logbook(std::unique_ptr<Store> store, std::unique_ptr<Retrier> retrier)
    : store_(std::move(store)), retryDelayMs_(kFirstRetryMs), retrier_(std::move(retrier)) {}

Logbook::~Logbook() {
    retrier_.reset(); // no try may finish into a half-destroyed logbook
}

void Logbook::ensureOpen() {
    if (opened_) return;
    opened_ = true;
    opening_ = store_->open();
    note(opening_);
}

void Logbook::note(const Outcome& outcome) {
    if (outcome.ok()) return;
    heldBecause_ = outcome;
    if (!outcome.setAsidePath.empty() && retrier_) retrier_->fileReplaced();
    if (!outcome.detail.empty() && diagnose) diagnose(path() + ": " + outcome.detail);
    if (lastsTheRun(outcome.trouble)) usable_ = false;
    if (told_) return;
    told_ = true;
    news_ = troubleMessage(outcome, path());
}

void Logbook::renumber(SearchRecord& r) const {
    if (r.search >= 0) return;
    const auto it = renumbered_.find(r.search);
    if (it != renumbered_.end())
        r.search = it->second;
    else if (std::none_of(unwritten_.begin(), unwritten_.end(),
                          [&r](const SearchRecord& o) { return o.search == r.search; }))
        r.search = 0; // a search of its own once written
}

// Writes a record never held before; false, the record as it was, when the file will not take it.
bool Logbook::append(SearchRecord& r) {
    const Attempt attempt = writeHeld(*store_, {r});
    if (!attempt.trouble.ok()) note(attempt.trouble);
    if (attempt.written.empty()) return false;
    r.id = attempt.written.front().id;
    r.search = attempt.written.front().search;
    return true;
}

// Without a retrier, held records are tried here, on the caller's thread.
void Logbook::retryUnwritten() {
    if (!usable_ || unwritten_.empty()) return;
    for (SearchRecord& r : unwritten_)
        renumber(r);
    settle(writeHeld(*store_, unwritten_));
}

void Logbook::write(SearchRecord& record) {
    // Given before anything is tried, so that a held record is written under the id it was
    // listed under.
    if (record.recordId.empty()) record.recordId = newRecordId();
    ensureOpen();
    if (!retrier_) retryUnwritten();
    renumber(record);
    if (usable_ && unwritten_.empty() && append(record)) return;
    // Kept for this run: a search not yet numbered by the store is tied together by the id of
    // its first unwritten record, which is below 0.
    record.id = nextUnwrittenId_--;
    if (record.search == 0) record.search = record.id;
    unwritten_.push_back(record);
    tryLater();
}

int Logbook::held() const {
    return usable_ ? static_cast<int>(unwritten_.size()) : 0;
}

void Logbook::tryLater() {
    if (retrier_ && !attempting_ && held() > 0) startAttempt(retryDelayMs_);
}

void Logbook::startAttempt(int delayMs) {
    for (SearchRecord& r : unwritten_)
        renumber(r);
    attempting_ = true;
    retrier_->start(unwritten_, delayMs, [this] { attemptFinished(); });
}

bool Logbook::finishAttempt(int waitMs) {
    const auto attempt = retrier_->result(waitMs);
    if (!attempt) return false;
    attempting_ = false;
    settle(*attempt);
    retryDelayMs_ =
        attempt->trouble.ok() ? kFirstRetryMs : std::min(retryDelayMs_ * 2, kLongestRetryMs);
    if (!attempt->written.empty() && onWritten) onWritten();
    return true;
}

void Logbook::attemptFinished() {
    // The last try at the end, or a listing, may have taken this one's outcome already.
    takeFinishedAttempt();
    tryLater();
}

// A try that has written held records takes them off the held list before the file is read, so
// that none is listed twice while its word is still on its way.
void Logbook::takeFinishedAttempt() {
    if (attempting_) finishAttempt(0);
}

void Logbook::settle(const Attempt& attempt) {
    for (const Written& w : attempt.written) {
        if (w.heldSearch < 0) renumbered_[w.heldSearch] = w.search;
        const auto same = [&w](const SearchRecord& r) { return r.id == w.heldId; };
        if (std::erase_if(unwritten_, same) == 0) deleted_.push_back(w.id);
    }
    if (!attempt.trouble.ok()) note(attempt.trouble);
    // A store that found its file locked or full at opening reads nothing until it opens again,
    // and one whose file the writer set aside would go on in the old one. (Without a writer of
    // its own, the store has written and reopened itself.)
    if (retrier_ &&
        ((!attempt.written.empty() && !opening_.ok() && !lastsTheRun(opening_.trouble)) ||
         !attempt.trouble.setAsidePath.empty()))
        opening_ = store_->open();
    removeDeleted();
}

// Records the player deleted while they were being written are removed once they are in the
// file; one the file will not let go of now is tried again with the next try.
void Logbook::removeDeleted() {
    std::erase_if(deleted_, [this](std::int64_t id) { return store_->remove(id).ok(); });
}

int Logbook::keepHeld(int waitMs) {
    ensureOpen();
    if (!retrier_) {
        retryUnwritten();
        return held();
    }
    // The try under way is waited for; then, if records are still held, one more.
    if (attempting_ && !finishAttempt(waitMs)) return held();
    if (held() > 0) {
        startAttempt(0);
        finishAttempt(waitMs);
    }
    removeDeleted();
    return held();
}

std::vector<SearchRecord> Logbook::records() {
    ensureOpen();
    takeFinishedAttempt();
    std::vector<SearchRecord> all = store_->records();
    all.insert(all.end(), unwritten_.begin(), unwritten_.end());
    return all;
}

std::optional<SearchRecord> Logbook::record(std::int64_t id) {
    ensureOpen();
    if (id < 0) {
        auto it = std::find_if(unwritten_.begin(), unwritten_.end(),
                               [id](const SearchRecord& r) { return r.id == id; });
        if (it == unwritten_.end()) return std::nullopt;
        return *it;
    }
    return store_->record(id);
}

int Logbook::count() {
    ensureOpen();
    takeFinishedAttempt();
    return countInFile() + static_cast<int>(unwritten_.size());
}

int Logbook::countInFile() {
    ensureOpen();
    return store_->count();
}

bool Logbook::remove(std::int64_t id) {
    ensureOpen();
    if (id < 0) {
        return std::erase_if(unwritten_, [id](const SearchRecord& r) { return r.id == id; }) > 0;
    }
    const Outcome outcome = store_->remove(id);
    note(outcome);
    return outcome.ok();
}

std::string Logbook::takeNews() {
    return std::exchange(news_, {});
}

std::string troubleMessage(const Outcome& outcome, const std::string& path) {
    const std::string nl = "\r\n";
    switch (outcome.trouble) {
    case Trouble::None:
        return {};
    case Trouble::Damaged:
        return "Your logbook " + path + " was damaged and could not be read." + nl +
               "It has been kept as " + outcome.setAsidePath +
               ", and a new logbook has been started.";
    case Trouble::Newer:
        return "Your logbook " + path + " was written by a newer version of Vantrel." + nl +
               "It has been left as it is. The searches you fly now will not be kept.";
    case Trouble::ReadOnly:
        return "Your logbook " + path + " cannot be written to." + nl +
               "The searches you fly now will not be kept. Check that the file and its folder "
               "may be written.";
    case Trouble::Locked:
        return "Your logbook " + path + " is held by another program." + nl +
               "Your searches are kept until it is free, and written then.";
    case Trouble::DiskFull:
        return "The disk that holds your logbook " + path + " is full." + nl +
               "Your searches are kept until there is room, and written then.";
    case Trouble::Unusable:
        return "Your logbook " + path + " cannot be opened or created." + nl +
               "The searches you fly now will not be kept.";
    }
    return {};
}

std::string unwrittenMessage(int count, const Outcome& why, const std::string& path) {
    const bool one = count == 1;
    std::string reason = "it cannot be written now.";
    std::string remedy = "Press Retry to try again";
    if (why.trouble == Trouble::Locked) {
        reason = "it is held by another program.";
        remedy = "Close the other program and press Retry";
    } else if (why.trouble == Trouble::DiskFull) {
        reason = "the disk that holds it is full.";
        remedy = "Free some space on that disk and press Retry";
    }
    return std::to_string(count) +
           (one ? " search of this run has" : " searches of this run have") +
           " not been written to your logbook " + path + ": " + reason + "\r\n" + remedy +
           ", or press Cancel to quit without " + (one ? "it." : "them.");
}

} // namespace logbook
