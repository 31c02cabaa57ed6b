// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// Reads a number the way a caption is read back as a number: blanks are skipped, then the
// longest leading number counts (sign, digits, one point, an exponent); anything else gives 0.
// Never throws.
double readNumber(std::string_view text);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

// Rounds half-to-even into a 16-bit integer, stopping at the ends of its range.
std::int16_t toInt16(double value);

// A number in plain decimal: at most seven significant digits, no exponent, no grouping,
// trailing zeros and a trailing point dropped, a 0 before the point below 1 ("0.25", "12", "0").
std::string plainDecimal(double value);

} // namespace ui
