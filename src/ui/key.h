// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

// The keys a control can turn into a click on another control.
enum class Key { Up, Down, Left, Right, Enter };

} // namespace ui
