// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

// Window and control positions are in twips; the forms are laid out at 15 twips per pixel.
inline constexpr double twipsPerPixel = 15.0;

inline constexpr double twipsToPixels(double twips) {
    return twips / twipsPerPixel;
}
inline constexpr double pixelsToTwips(double pixels) {
    return pixels * twipsPerPixel;
}

} // namespace ui
