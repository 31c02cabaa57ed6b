// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <vector>

namespace squadron {

// The addresses of a host name, looked up on a thread of its own so that a name server that
// does not answer holds nobody past `deadline` or once `abandon` is set. None when the name has
// no address or the lookup did not end in time; `timedOut` tells which.
std::vector<std::string> lookUpHost(const std::string& name,
                                    std::chrono::steady_clock::time_point deadline,
                                    const std::atomic<bool>* abandon, bool& timedOut);

// A name libpq would look up itself: not a socket folder, not an address, not a list of hosts.
bool needsLookUp(const std::string& host);

} // namespace squadron
