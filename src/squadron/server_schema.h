// SPDX-License-Identifier: MIT
#pragma once

#include "squadron/connection.h"

namespace squadron {

// The version of the server's tables this program writes and reads.
inline constexpr int kServerSchemaVersion = 2;

// Creates the squadron's group roles, tables, rules and view in the connection's database, or
// brings an older squadron up to this version, in one transaction; does nothing to one already
// up to date. The words say which it did. Needs a login that may create roles and tables.
Answer initSchema(Connection& connection);

} // namespace squadron
