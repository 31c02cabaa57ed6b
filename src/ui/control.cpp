// SPDX-License-Identifier: MIT
#include "control.h"

#include "form.h"

namespace ui {

Control::Control(Form& form, Container& container, Control* parent, ControlKind kind,
                 std::string name, int index)
    : form_(form), container_(container), parent_(parent), kind_(kind), name_(std::move(name)),
      index_(index) {}

std::string Control::qualifiedName() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

void Control::changed() {
    ++revision_;
    form_.touch();
}

namespace {
template <class T>
void assign(T& field, T value, bool& dirty) {
    if (field == value) return;
    field = std::move(value);
    dirty = true;
}
} // namespace

void Control::setLeft(double v) {
    setGeometry(v, top_, width_, height_);
}
void Control::setTop(double v) {
    setGeometry(left_, v, width_, height_);
}
void Control::setWidth(double v) {
    setGeometry(left_, top_, v, height_);
}
void Control::setHeight(double v) {
    setGeometry(left_, top_, width_, v);
}

void Control::setGeometry(double left, double top, double width, double height) {
    bool dirty = false;
    assign(left_, static_cast<float>(left), dirty);
    assign(top_, static_cast<float>(top), dirty);
    assign(width_, static_cast<float>(width), dirty);
    assign(height_, static_cast<float>(height), dirty);
    if (dirty) changed();
}

void Control::setVisible(bool v) {
    bool dirty = false;
    assign(visible_, v, dirty);
    if (dirty) changed();
}

void Control::setEnabled(bool v) {
    bool dirty = false;
    assign(enabled_, v, dirty);
    if (dirty) changed();
}

void Control::setCaption(std::string text) {
    bool dirty = false;
    assign(caption_, std::move(text), dirty);
    if (dirty) changed();
}

void Control::setAccessibleName(std::string text) {
    bool dirty = false;
    assign(accessibleName, std::move(text), dirty);
    if (dirty) changed();
}

void Control::setAccessibleValue(double value, double minimum, double maximum) {
    bool dirty = false;
    assign(accessibleValue_, value, dirty);
    assign(accessibleMinimum_, minimum, dirty);
    assign(accessibleMaximum_, maximum, dirty);
    if (dirty) changed();
}

void Control::setTag(std::string text) {
    tag_ = std::move(text);
}

void Control::setBackColor(Color c) {
    bool dirty = false;
    assign(backColor_, c, dirty);
    if (dirty) changed();
}

void Control::setForeColor(Color c) {
    bool dirty = false;
    assign(foreColor_, c, dirty);
    if (dirty) changed();
}

void Control::setFont(Font f) {
    bool dirty = false;
    assign(font_, std::move(f), dirty);
    if (dirty) changed();
}

void Control::raiseClick() {
    if (onClick) onClick();
}

} // namespace ui
