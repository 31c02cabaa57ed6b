// SPDX-License-Identifier: MIT
#include "squadron/squadron_key.h"

namespace squadron {

namespace {

std::string valueOf(const Settings& settings, const std::string& keyword) {
    for (const auto& [key, value] : settings)
        if (key == keyword) return value;
    return {};
}

} // namespace

std::string squadronKey(const Settings& settings) {
    return valueOf(settings, "user") + "@" + valueOf(settings, "host") + ":" +
           valueOf(settings, "port") + "/" + valueOf(settings, "dbname");
}

} // namespace squadron
