// SPDX-License-Identifier: MIT
#pragma once

namespace ui::qt {

// Gives the whole program one look of its own, whatever the desktop's theme: the Fusion style
// with a clearly drawn focus, a light palette, and no style sheet from outside. The forms'
// colours are then exactly the ones their controls ask for, and stay readable.
void useGameLook();

} // namespace ui::qt
