// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace logbook {

// A fresh random UUID (version 4), lower case: "xxxxxxxx-xxxx-4xxx-yxxx-xxxxxxxxxxxx" with y one
// of 8, 9, a, b. 122 random bits, so that records made on different machines never share one.
// Safe to call from any thread.
std::string newRecordId();

} // namespace logbook
