// SPDX-License-Identifier: MIT
#pragma once

#include "host.h"

namespace ui {

struct PixelSize {
    double width = 0, height = 0;
};

// The largest zoom at which a window whose client area is `client` pixels at its designed size
// fits `area`: the client area grows with the zoom, the frame the desktop draws does not.
double largestZoomFor(PixelSize client, FrameMargins frame, PixelSize area);

} // namespace ui
