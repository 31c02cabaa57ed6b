// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/logbook_store.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace logbook {

// The player's logbook as the game uses it: it opens its store when first needed, keeps a
// record it could not write in memory and tries it again with the next one, and has at most one
// piece of bad news to tell the player each run.
class Logbook {
public:
    explicit Logbook(std::unique_ptr<Store> store);

    const std::string& path() const { return store_->path(); }

    // Writes the record; on success its `id` and `search` are set. A record that cannot be
    // written now stays listed for this run and is tried again before the next one.
    void write(SearchRecord& record);

    // Every record: those written, then those waiting to be written, oldest first.
    std::vector<SearchRecord> records();
    std::optional<SearchRecord> record(std::int64_t id);
    int count();       // those written and those waiting
    int countInFile(); // those written
    bool remove(std::int64_t id);

    // What the player must be told about the file, once per run; empty when nothing is to be.
    std::string takeNews();

private:
    void ensureOpen();
    void note(const Outcome& outcome);
    void retryUnwritten();
    bool append(SearchRecord& r);
    void renumber(SearchRecord& r) const;

    std::unique_ptr<Store> store_;
    bool opened_ = false;
    bool usable_ = true; // false when the file must never be written again this run
    bool told_ = false;
    std::string news_;
    std::vector<SearchRecord> unwritten_; // ids below 0, counting down
    std::int64_t nextUnwrittenId_ = -1;
    std::map<std::int64_t, std::int64_t> renumbered_; // search numbers given to unwritten ones
};

// The sentence that tells the player what happened to the logbook and where the file is.
std::string troubleMessage(const Outcome& outcome, const std::string& path);

} // namespace logbook
