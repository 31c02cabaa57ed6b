// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace ui {
class Control;
class Form;
class DisplayList;
struct MenuItem;
} // namespace ui

namespace script {

// The value of a control's property as a transcript shows it; throws ScenarioError for a
// property the control does not have.
std::string controlProperty(const ui::Control& control, std::string_view property);

// A window's property; a window that does not exist (nullptr) is neither loaded nor visible.
// A menu entry's `Caption`, `Checked` and `Enabled`.
std::string menuItemProperty(const ui::MenuItem& item, std::string_view property);
std::string windowProperty(const ui::Form* form, std::string_view property);

// One line per item of a surface's drawing, in drawing order.
void printDrawing(std::ostream& out, std::string_view surface, const ui::DisplayList& drawing);

} // namespace script
