// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>
#include <QSize>

namespace vantrel_help {

// Where a window of `size` goes beside the game's window `game` on the screen area `screen`:
// to its right, else to its left, else narrowed to the side with more room, always on the
// screen, and never larger than it. Only when neither side has a readable width does it cover
// the edge of the game.
QRect placeBeside(const QRect& game, const QRect& screen, QSize size);

} // namespace vantrel_help
