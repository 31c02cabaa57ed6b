// SPDX-License-Identifier: MIT
#include "placement.h"

#include <algorithm>

namespace vantrel_help {

namespace {

constexpr int kGap = 8;
constexpr int kNarrowest = 320; // narrower, help text is hard to read

} // namespace

QRect placeBeside(const QRect& game, const QRect& screen, QSize size) {
    size = size.boundedTo(screen.size());
    const int right = game.right() + 1 + kGap;
    const int left = game.left() - kGap - size.width();
    int x = 0;
    if (right + size.width() <= screen.right() + 1) {
        x = right;
    } else if (left >= screen.left()) {
        x = left;
    } else {
        // Narrowed to the wider side; where even that is too narrow to read, as narrow as is
        // readable, covering as little of the game as it can.
        const int roomRight = screen.right() + 1 - right;
        const int roomLeft = game.left() - kGap - screen.left();
        const bool moreRoomRight = roomRight >= roomLeft;
        const int room = std::max(roomRight, roomLeft);
        size.setWidth(std::min(size.width(), std::max(room, kNarrowest)));
        x = moreRoomRight ? screen.right() + 1 - size.width() : screen.left();
    }
    const int y = std::clamp(game.top(), screen.top(), screen.bottom() + 1 - size.height());
    return {QPoint(x, y), size};
}

} // namespace vantrel_help
