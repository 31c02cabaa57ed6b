// SPDX-License-Identifier: MIT
#include "controls.h"

#include "container.h"
#include "form.h"
#include "runtime.h"
#include "text_lines.h"

#include <algorithm>

namespace ui {

void Label::setAlignment(Alignment a) {
    if (alignment_ == a) return;
    alignment_ = a;
    changed();
}

void Label::setBorder(bool single) {
    if (border_ == single) return;
    border_ = single;
    changed();
}

void Label::setAutoSize(bool on) {
    autoSize_ = on;
    if (on) fitToCaption();
}

void Label::setCaption(std::string text) {
    Control::setCaption(std::move(text));
    if (autoSize_) fitToCaption();
}

void Label::fitToCaption() {
    Host& host = form().runtime().host();
    double widest = 0;
    const auto lines = splitLines(caption());
    for (auto line : lines)
        widest = std::max(widest, host.textWidth(font(), line));
    const double high = host.lineHeight(font()) * static_cast<double>(lines.size());
    setWidth(widest * container().unitsPerPixelX());
    setHeight(high * container().unitsPerPixelY());
}

void CheckBox::setValue(int v) {
    if (value_ == v) return;
    value_ = v;
    changed();
    raiseClick();
}

void TextBox::setText(std::string text) {
    if (text_ == text) return;
    text_ = std::move(text);
    changed();
}

void TextBox::userType(std::string text) {
    if (text_ == text) return;
    setText(std::move(text));
    if (onChange) onChange();
}

void TextBox::setPasswordChar(std::string c) {
    passwordChar_ = std::move(c);
    changed();
}

void ComboBox::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    changed();
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()) || index == listIndex_) return;
    listIndex_ = index;
    changed();
    raiseClick();
}

void OptionButton::setValue(bool selected) {
    if (value_ == selected) return;
    value_ = selected;
    changed();
    if (!selected) return;
    for (auto& other : form().controls())
        if (other.get() != this && other->kind() == ControlKind::OptionButton &&
            &other->container() == &container())
            static_cast<OptionButton&>(*other).setValue(false);
    raiseClick();
}

void OptionButton::userClick() {
    if (value_)
        raiseClick();
    else
        setValue(true);
}

void Image::setPicture(Picture picture) {
    picture_ = std::move(picture);
    changed();
    if (!stretch_)
        setGeometry(left(), top(), picture_.width * container().unitsPerPixelX(),
                    picture_.height * container().unitsPerPixelY());
}

void LineControl::setX1(double v) {
    setEnds(v, y1_, x2_, y2_);
}
void LineControl::setY1(double v) {
    setEnds(x1_, v, x2_, y2_);
}
void LineControl::setX2(double v) {
    setEnds(x1_, y1_, v, y2_);
}
void LineControl::setY2(double v) {
    setEnds(x1_, y1_, x2_, v);
}

void LineControl::setEnds(double x1, double y1, double x2, double y2) {
    x1_ = static_cast<float>(x1);
    y1_ = static_cast<float>(y1);
    x2_ = static_cast<float>(x2);
    y2_ = static_cast<float>(y2);
    changed();
}

void LineControl::setColor(Color c) {
    color_ = c;
    changed();
}

void LineControl::setPenWidth(int pixels) {
    penWidth_ = pixels;
    changed();
}

void Shape::setFillColor(Color c) {
    if (fillColor_ == c) return;
    fillColor_ = c;
    changed();
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    changed();
}

void MultimediaControl::setFileName(std::string path) {
    fileName_ = std::move(path);
    form().runtime().host().multimediaFileName(fileName_);
}

void MultimediaControl::setCommand(std::string command) {
    command_ = std::move(command);
    form().runtime().host().multimediaCommand(command_, fileName_);
}

void MultimediaControl::loop(const std::string& path, float loudness) {
    loudness = std::clamp(loudness, 0.0f, 1.0f);
    if (loudness == loudness_ && (loudness == 0 || path == loopPath_)) return;
    loudness_ = loudness;
    loopPath_ = path;
    form().runtime().host().multimediaLoop(path, loudness);
}

} // namespace ui
