// SPDX-License-Identifier: MIT
#include "format_by_pattern.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

struct Pattern {
    int integerZeros = 0;
    bool grouped = false;
    bool point = false;
    std::string fraction;
};

Pattern parse(std::string_view pattern) {
    Pattern p;
    const auto dot = pattern.find('.');
    for (char c : pattern.substr(0, dot)) {
        if (c == '0') ++p.integerZeros;
        if (c == ',') p.grouped = true;
    }
    if (dot != std::string_view::npos) {
        p.point = true;
        p.fraction = std::string(pattern.substr(dot + 1));
    }
    return p;
}

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

std::string formatByPattern(double value, std::string_view patternText) {
    if (!std::isfinite(value)) return {};
    const Pattern pattern = parse(patternText);
    const bool negative = value < 0;
    const auto decimals = pattern.fraction.size();

    // Fifteen significant digits, as a decimal string, so that rounding works on the number as a
    // person reads it rather than on its binary approximation.
    char buf[40];
    *std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 14)
         .ptr = '\0';
    std::string digits{buf[0]};
    digits += std::string(buf + 2, buf + 16);
    const int exponent = std::atoi(buf + 17);

    std::string whole, fraction;
    const int pointAt = exponent + 1; // digits before the point
    if (pointAt <= 0) {
        whole = "0";
        fraction = std::string(std::size_t(-pointAt), '0') + digits;
    } else if (std::size_t(pointAt) >= digits.size()) {
        whole = digits + std::string(std::size_t(pointAt) - digits.size(), '0');
    } else {
        whole = digits.substr(0, std::size_t(pointAt));
        fraction = digits.substr(std::size_t(pointAt));
    }
    fraction.resize(std::max(fraction.size(), decimals + 1), '0');

    // Round half away from zero at the last decimal kept.
    std::string kept = whole + fraction.substr(0, decimals);
    if (fraction[decimals] >= '5') increment(kept);
    whole = kept.substr(0, kept.size() - decimals);
    fraction = kept.substr(kept.size() - decimals);

    whole.erase(0, whole.find_first_not_of('0'));
    if (whole.size() < std::size_t(pattern.integerZeros))
        whole.insert(0, std::size_t(pattern.integerZeros) - whole.size(), '0');
    if (pattern.grouped)
        for (auto at = whole.size(); at > 3; at -= 3)
            whole.insert(at - 3, 1, ',');

    while (!fraction.empty() && fraction.back() == '0' &&
           pattern.fraction[fraction.size() - 1] == '#')
        fraction.pop_back();

    std::string text = negative ? "-" : "";
    text += whole;
    if (pattern.point) text += "." + fraction;
    return text;
}
