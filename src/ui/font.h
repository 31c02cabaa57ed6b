// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <string>

namespace ui {

// A font as a form designer gives it: family and size in points.
struct Font {
    std::string family = "Arial";
    double points = 9.75;
    bool bold = false;
    bool italic = false;

    // Fonts are laid out in pixels at 96 pixels per inch, so a form looks the same on every screen.
    int pixelSize() const { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

    friend bool operator==(const Font&, const Font&) = default;
};

} // namespace ui
