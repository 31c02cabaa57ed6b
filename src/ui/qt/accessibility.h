// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace ui {
class Control;
}

namespace ui::qt {

// Lets the widgets of controls present themselves to assistive technology as the controls'
// roles say. Call once before the first window is made; later calls do nothing.
void installAccessibleControls();

// Tells listeners what changed in a control since they were last told: its reading, its value,
// the name of a readout painted by a surface. `shownBy` is the control's widget, or the surface
// that paints it.
void announceChange(const Control& control, QWidget* shownBy);

} // namespace ui::qt
