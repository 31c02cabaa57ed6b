// SPDX-License-Identifier: MIT
#pragma once

#include "squadron/connection.h"

#include <string>

namespace squadron {

// Which server and login a record was confirmed by: "USER@HOST:PORT/DATABASE" from the settings
// (without the password). A player who joins another squadron sends every record again.
std::string squadronKey(const Settings& settings);

} // namespace squadron
