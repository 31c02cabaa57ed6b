// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"
#include "squadron/connection.h"

#include <string>
#include <vector>

namespace squadron {

// Puts the records, each with its track, on the server in one transaction. The server keeps one
// copy of each record by its id, however often it is sent, and names its trainee from the
// login. `logbookId` tells this logbook's searches from another's: a search is known on the
// server by the logbook and its number there.
Answer upload(Connection& connection, const std::vector<logbook::SearchRecord>& records,
              const std::string& logbookId);

// "Test connection": logs in, and checks that the server has a squadron set up and that the
// login is one of its trainees (or instructors). The words say what worked or what did not.
Answer check(Connection& connection);

} // namespace squadron
