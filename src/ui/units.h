// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

// Window and control positions are in twips; the forms are laid out at 15 twips per pixel.
inline constexpr double kTwipsPerPixel = 15.0;

inline constexpr double twipsToPixels(double twips) {
    return twips / kTwipsPerPixel;
}
inline constexpr double pixelsToTwips(double pixels) {
    return pixels * kTwipsPerPixel;
}

} // namespace ui
