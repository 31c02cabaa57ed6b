// SPDX-License-Identifier: MIT
// Fuzzes formatByPattern with any number and the game's patterns (or any pattern made of the
// pattern characters): the text holds only digits, commas, a point and a sign, and read back it
// is the number rounded to the pattern's decimals.
#include "model/format_by_pattern.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char* const kGamePatterns[] = {"000",   "###",  "##0.0", "###0.0",
                                     "###.#", "##.#", "##0.#", "###,###"};

std::string patternFrom(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || data[0] < 128) return kGamePatterns[size ? data[0] % 8 : 0];
    // Any pattern: an integer section of '#', '0' and ',' and maybe a fraction of '#' and '0'.
    std::string pattern;
    bool point = false;
    for (std::size_t i = 1; i < size && pattern.size() < 24; ++i) {
        const int pick = data[i] % 4;
        if (pick == 3 && !point) {
            pattern += '.';
            point = true;
        } else {
            pattern += pick == 0 ? '#' : pick == 1 ? '0' : (point ? '#' : ',');
        }
    }
    return pattern;
}

int decimalsOf(const std::string& pattern) {
    const auto dot = pattern.find('.');
    return dot == std::string::npos ? 0 : int(pattern.size() - dot - 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    double value;
    std::memcpy(&value, data, 8);
    if (size >= 9 && data[8] & 1) value = static_cast<float>(value); // the game's floats
    const std::string pattern = patternFrom(data + 9 * (size >= 9), size - 9 * (size >= 9));
    const std::string text = formatByPattern(value, pattern);
    if (!std::isfinite(value)) {
        if (!text.empty()) std::abort();
        return 0;
    }
    std::string plain;
    for (char c : text) {
        if (c == ',') continue;
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-')) std::abort();
        plain += c;
    }
    if (text.find('-') != std::string::npos && (text[0] != '-' || value >= 0)) std::abort();
    // Read back in long double: fifteen digits of the largest doubles may round past them.
    const long double back = (plain.empty() || plain == "." || plain == "-" || plain == "-.")
                                 ? 0.0L
                                 : std::strtold(plain.c_str(), nullptr);
    // Rounded to the decimals, from fifteen significant digits, halves away from zero.
    const long double half = 0.5L * std::pow(10.0L, -decimalsOf(pattern));
    const long double off = std::fabs(back - static_cast<long double>(value));
    if (!(off <= half * (1 + 1e-9L) + std::fabs(static_cast<long double>(value)) * 1e-14L))
        std::abort();
    return 0;
}
