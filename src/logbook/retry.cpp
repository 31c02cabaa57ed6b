// SPDX-License-Identifier: MIT
#include "logbook/retry.h"

#include <map>

namespace logbook {

Attempt writeHeld(Store& store, std::vector<SearchRecord> held) {
    Attempt attempt;
    std::map<std::int64_t, std::int64_t> numbered; // held search numbers the file has given
    for (SearchRecord& r : held) {
        const Written before{r.id, r.search, 0, 0};
        if (r.search < 0) {
            const auto it = numbered.find(r.search);
            r.search = it == numbered.end() ? 0 : it->second;
        }
        r.id = 0;
        const Outcome outcome = store.append(r);
        // A file found damaged is set aside, and the record may have gone into the fresh one.
        const bool written = outcome.ok() || (outcome.trouble == Trouble::Damaged && r.id > 0);
        if (written) {
            attempt.written.push_back({before.heldId, before.heldSearch, r.id, r.search});
            if (before.heldSearch < 0) numbered[before.heldSearch] = r.search;
        }
        if (!outcome.ok()) {
            attempt.trouble = outcome;
            if (!written) break;
        }
    }
    return attempt;
}

} // namespace logbook
