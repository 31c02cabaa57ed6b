// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_status.h"
#include "squadron/connection.h"

#include <memory>
#include <string>

namespace squadron {

// Sends the records of the logbook file at `logbookPath` that the server named by `settings`
// has not confirmed, oldest first, on a thread of its own with a connection of its own to the
// file; tries again with a growing pause while the server cannot be reached.
std::unique_ptr<logbook::SquadronLink> makeOutbox(std::string logbookPath, Settings settings);

} // namespace squadron
