// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/logbook_store.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace logbook {

// A held record that reached the file: the numbers it was held under, and those the file gave.
struct Written {
    std::int64_t heldId = 0;
    std::int64_t heldSearch = 0;
    std::int64_t id = 0;
    std::int64_t search = 0;
};

// What one try at the held records did: those written, oldest first, and what stopped it.
struct Attempt {
    std::vector<Written> written;
    Outcome trouble;
};

// Writes held records oldest first and stops at the first the file will not take. A search
// numbered below 0 is one the file has not seen: its first record written starts it, and the
// rest of it follow under the file's number.
Attempt writeHeld(Store& store, std::vector<SearchRecord> held);

// Writes held records where nobody waits for it: in the game, on a thread of its own with a
// connection of its own, so that a lock or a slow disk never holds the window.
class Retrier {
public:
    virtual ~Retrier() = default;

    // Tries `held` after `delayMs`; `finished` is called on the caller's thread once the try is
    // over. One try at a time.
    virtual void start(std::vector<SearchRecord> held, int delayMs,
                       std::function<void()> finished) = 0;

    // The try's outcome once it is over, waiting for it at most `waitMs` (when that is more than
    // 0, a try still waiting for its delay begins at once); nothing while it goes on or when
    // none was started.
    virtual std::optional<Attempt> result(int waitMs) = 0;

    // The file was set aside and a fresh one started by another connection: the next try opens
    // the file anew instead of writing into the old one.
    virtual void fileReplaced() = 0;
};

} // namespace logbook
