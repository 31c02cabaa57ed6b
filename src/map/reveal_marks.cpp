// SPDX-License-Identifier: MIT
#include "reveal_marks.h"

#include "ui/numbers.h"

#include <algorithm>

namespace {

int sign(float v) {
    return v > 0 ? 1 : v < 0 ? -1 : 0;
}

// Integer arithmetic that stops at the ends of 16 bits.
std::int16_t clamp16(int v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

} // namespace

void drawRevealMarks(const MapSheet& sheet, const MapFeatures& s) {
    ui::PictureBox& map = sheet.map;
    const std::int16_t arm = ui::toInt16(map.scaleHeight() * 0.03);

    map.line(s.eltX + arm, s.eltY, s.eltX - arm, s.eltY, ui::colors::black);
    map.line(s.eltX, s.eltY + arm, s.eltX, s.eltY - arm, ui::colors::black);
    map.circle(s.eltX, s.eltY, 0.4 * arm, ui::colors::black);

    const auto halfWidth = static_cast<float>(map.scaleWidth() / 2);
    const auto halfHeight = static_cast<float>(map.scaleHeight() / 2);
    const auto px = clamp16(sign(halfWidth - s.eltX) * 2 * arm + s.eltX);
    const auto py = clamp16(sign(halfHeight - s.eltY) * 2 * arm + s.eltY);
    ui::Image& elt = sheet.elt;
    elt.setLeft(px - elt.width() / 2);
    elt.setTop(py - elt.height() / 2);
    elt.setVisible(true);
}
