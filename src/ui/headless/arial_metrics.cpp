// SPDX-License-Identifier: MIT
#include "arial_metrics.h"

#include <array>
#include <cmath>

namespace ui::headless {

namespace {

constexpr double kUnitsPerEm = 2048;
constexpr double kAscent = 1854;
constexpr double kDescent = 434;

// Advance widths of the printable ASCII characters, space first, in font units. Read from
// LiberationSans-Regular.ttf and -Bold.ttf; the italic faces share the upright widths.
constexpr std::array<short, 95> regular{
    569,  569,  727,  1139, 1139, 1821, 1366, 391,  682,  682,  797,  1196, 569,  682,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 569,  569,  1196, 1196, 1196, 1139,
    2079, 1366, 1366, 1479, 1479, 1366, 1251, 1593, 1479, 569,  1024, 1366, 1139, 1706, 1479, 1593,
    1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 569,  569,  569,  961,  1139,
    682,  1139, 1139, 1024, 1139, 1139, 569,  1139, 1139, 455,  455,  1024, 455,  1706, 1139, 1139,
    1139, 1139, 682,  1024, 569,  1139, 1024, 1479, 1024, 1024, 1024, 684,  532,  684,  1196};
constexpr std::array<short, 95> bold{
    569,  682,  971,  1139, 1139, 1821, 1479, 487,  682,  682,  797,  1196, 569,  682,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 682,  682,  1196, 1196, 1196, 1251,
    1997, 1479, 1479, 1479, 1479, 1366, 1251, 1593, 1479, 569,  1139, 1479, 1251, 1706, 1479, 1593,
    1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 682,  569,  682,  1196, 1139,
    682,  1139, 1251, 1139, 1251, 1139, 682,  1251, 1251, 569,  569,  1139, 569,  1821, 1251, 1251,
    1251, 1251, 797,  1139, 682,  1251, 1139, 1593, 1139, 1139, 1024, 797,  573,  797,  1196};

} // namespace

double arialTextWidth(const Font& font, std::string_view line) {
    const auto& widths = font.bold ? bold : regular;
    double units = 0;
    for (unsigned char c : line)
        units += (c >= 32 && c < 127) ? widths[c - 32] : widths['?' - 32];
    return std::round(units * font.pixelSize() / kUnitsPerEm);
}

double arialLineHeight(const Font& font) {
    const double px = font.pixelSize();
    return std::round(kAscent * px / kUnitsPerEm) + std::round(kDescent * px / kUnitsPerEm);
}

} // namespace ui::headless
