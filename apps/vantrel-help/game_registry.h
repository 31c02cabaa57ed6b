// SPDX-License-Identifier: MIT
#pragma once

#include "help_channel/process_handle.h"

#include <vector>

namespace vantrel_help {

// The games that use this viewer: each that asked for help, until it closes or ends. The viewer
// closes only when the last of them lets go.
class GameRegistry {
public:
    void add(qint64 game);
    // Forgets `game` and every game that has ended since. True when no running game uses the
    // viewer any more; a close from no game in particular (0) closes it at once.
    bool release(qint64 game);
    std::size_t count() const { return games_.size(); }

private:
    std::vector<ui::qt::ProcessHandle> games_;
};

} // namespace vantrel_help
