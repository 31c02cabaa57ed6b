// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ui {

// The lines of a text, broken at a line feed or at a carriage return and line feed.
std::vector<std::string_view> splitLines(std::string_view text);

} // namespace ui
