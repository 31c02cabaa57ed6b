// SPDX-License-Identifier: MIT
#pragma once

#include "ui/color.h"

#include <string>
#include <string_view>

namespace ui::headless {

// How values are written in a transcript.
std::string quoted(std::string_view text); // in double quotes with C escapes
std::string number(double value);          // at most seven significant digits
std::string rgb(Color c);                  // rgb(R,G,B)

} // namespace ui::headless
