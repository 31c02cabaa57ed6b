// SPDX-License-Identifier: MIT
#pragma once

#include "ui/font.h"

#include <string_view>

namespace ui::headless {

// Text measured without a display, from the advance widths of Liberation Sans (which has
// Arial's metrics), so that tests lay text out as the real windows do.
double arialTextWidth(const Font& font, std::string_view line);
double arialLineHeight(const Font& font);

} // namespace ui::headless
