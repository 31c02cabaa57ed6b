// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The text of a number under a digit pattern such as "##0.0": an integer section of '#', '0'
// and ',' characters, then optionally a point and a fraction section of '#' and '0'.
// - The value is rounded to as many decimals as the fraction section has, halves away from
//   zero, from its shortest exact decimal form (so 0.25 gives 0.3 and 45.5 gives 46).
// - Every integer digit is written, however few the pattern has; a '0' asks for a digit even
//   where the number has none (005), and an integer part of 0 under '#' alone writes nothing.
// - A ',' groups the integer digits in threes. The point is always written when the pattern has
//   one; trailing zero decimals on '#' are left out.
// - A negative value gets a leading minus sign. Texts always use a point and a comma, whatever
//   the user's locale. A value that is not a finite number gives an empty text.
std::string formatByPattern(double value, std::string_view pattern);
