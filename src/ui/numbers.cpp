// SPDX-License-Identifier: MIT
#include "numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace ui {

double readNumber(std::string_view text) {
    std::string digits;
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) digits += text[i++];
    bool point = false, mantissa = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isBlank(c)) continue;
        if (isDigit(c)) {
            digits += c;
            mantissa = true;
        } else if (c == '.' && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (!mantissa) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) exponent += text[j++];
        const std::size_t firstDigit = j;
        while (j < text.size() && isDigit(text[j]))
            exponent += text[j++];
        if (j > firstDigit) digits += exponent;
    }
    if (digits.front() == '+') digits.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    return error == std::errc{} && std::isfinite(value) ? value : 0;
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

std::int16_t toInt16(double value) {
    if (std::isnan(value)) return 0;
    const double r = roundHalfEven(value);
    return static_cast<std::int16_t>(std::clamp(r, double(std::numeric_limits<std::int16_t>::min()),
                                                double(std::numeric_limits<std::int16_t>::max())));
}

std::string plainDecimal(double value) {
    if (!std::isfinite(value)) return value > 0 ? "inf" : value < 0 ? "-inf" : "nan";
    if (value == 0) return "0";
    // to_chars, unlike printf, writes a point whatever the user's locale says.
    char buf[400];
    auto written =
        std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, 6);
    *written.ptr = '\0';
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    const int decimals = std::max(0, 6 - exponent);
    if (exponent > 6) {
        const double unit = std::pow(10.0, exponent - 6);
        value = std::round(value / unit) * unit;
    }
    written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string text(buf, written.ptr);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

} // namespace ui
