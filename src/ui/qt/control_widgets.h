// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QWidget;

namespace ui {
class Control;
class Runtime;
} // namespace ui

namespace ui::qt {

// The widget that shows a control placed on a window or a frame, or null for a control that is
// never shown (a timer, the multimedia player). `afterEvent` runs after a click has been
// handled, to bring the windows up to date at once.
QWidget* createControlWidget(Runtime& runtime, Control& control, QWidget* parent,
                             std::function<void()> afterEvent);

// Brings the widget into line with its control.
void syncControlWidget(const Control& control, QWidget* widget);

// The control a widget shows, or null.
Control* controlOf(const QWidget* widget);
// The window's form is going away before its widgets do: they no longer show any control.
void forgetControls(QWidget* window);

} // namespace ui::qt
