// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace ui {

// An RGB colour as the forms hold it; each component 0 to 255.
struct Color {
    std::uint8_t r = 0, g = 0, b = 0;

    friend constexpr bool operator==(Color, Color) = default;
};

namespace colors {
inline constexpr Color black{0, 0, 0};
inline constexpr Color white{255, 255, 255};
inline constexpr Color red{255, 0, 0};
inline constexpr Color blue{0, 0, 255};
inline constexpr Color navy{0, 0, 128};
inline constexpr Color lightGrey{192, 192, 192};
inline constexpr Color grey{128, 128, 128};
inline constexpr Color darkGrey{64, 64, 64};
inline constexpr Color darkRed{192, 0, 0};
inline constexpr Color paleYellow{255, 255, 192};
inline constexpr Color purple{128, 0, 128};
} // namespace colors

} // namespace ui
