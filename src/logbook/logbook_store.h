// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace logbook {

// What went wrong with the logbook file, if anything.
enum class Trouble {
    None,
    Damaged,  // corrupt or not a logbook at all: set aside, a fresh one started
    Newer,    // written by a newer version of the game: left as it is
    ReadOnly, // can be read but not written
    Locked,   // another program held it past the wait
    DiskFull, // no room to write
    Unusable, // cannot be opened or created at all (a missing folder that cannot be made...)
};

struct Outcome {
    Trouble trouble = Trouble::None;
    std::string setAsidePath; // for Damaged: where the old file now is
    std::string detail;       // the database's own words, for standard error

    bool ok() const { return trouble == Trouble::None; }
};

// A place the logbook's records are kept. Each record is written whole or not at all.
class Store {
public:
    virtual ~Store() = default;

    // The file behind the store, as the player would look for it.
    virtual const std::string& path() const = 0;

    // Opens the file, creating it or bringing an older one up to date. A damaged file is set
    // aside under a new name and a fresh logbook started in its place.
    virtual Outcome open() = 0;

    // Writes one record. A record whose `search` is 0 starts a new search number; `id` and
    // `search` are filled in on success. A file found damaged only now is set aside as open()
    // does (Damaged, with setAsidePath), and the record written to the fresh logbook: its `id`
    // then says whether it went in.
    virtual Outcome append(SearchRecord& record) = 0;

    // Every record, oldest first. Without tracks unless asked, so that a long logbook lists fast.
    virtual std::vector<SearchRecord> records(bool withTracks = false) = 0;
    // With its track; nothing when there is no such record or it cannot be read.
    virtual std::optional<SearchRecord> record(std::int64_t id) = 0;
    virtual int count() = 0;
    virtual Outcome remove(std::int64_t id) = 0;
};

} // namespace logbook
