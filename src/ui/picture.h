// SPDX-License-Identifier: MIT
#pragma once

#include "color.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ui {

// A small bitmap with a name the transcripts can show ("imgVOR", "clpAC[3]").
// Pixels are 0xAARRGGBB, row by row from the top-left, so a renderer can wrap them without copying.
struct Picture {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool isNull() const { return width == 0 || height == 0; }
    std::uint32_t pixel(int x, int y) const { return pixels[std::size_t(y) * width + x]; }

    // A picture drawn as text: one string per row, one character per pixel, each character
    // looked up in the palette; a character missing from the palette is transparent.
    static Picture fromText(std::string name, const std::vector<std::string_view>& rows,
                            const std::vector<std::pair<char, Color>>& palette);
};

inline constexpr std::uint32_t opaque(Color c) {
    return 0xff000000u | (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b;
}

} // namespace ui
