// SPDX-License-Identifier: MIT
#include "zoom.h"

#include <algorithm>

namespace ui {

double largestZoomFor(PixelSize client, FrameMargins frame, PixelSize area) {
    if (client.width <= 0 || client.height <= 0) return 0;
    const double across = (area.width - frame.left - frame.right) / client.width;
    const double down = (area.height - frame.top - frame.bottom) / client.height;
    return std::max(0.0, std::min(across, down));
}

} // namespace ui
