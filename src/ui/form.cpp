// SPDX-License-Identifier: MIT
#include "form.h"

#include "runtime.h"
#include "units.h"

#include <stdexcept>
#include <utility>

namespace ui {

FrameMargins usualFrameMargins(WindowStyle style) {
    // 4-pixel borders, a 23-pixel title bar and, on the main window, a 20-pixel menu bar.
    switch (style) {
    case WindowStyle::Main:
        return {4, 43, 4, 4};
    case WindowStyle::Dialog:
    case WindowStyle::Companion:
        return {4, 23, 4, 4};
    case WindowStyle::Note:
        break;
    }
    return {};
}

Form::Form(Runtime& runtime, std::string name, WindowStyle style)
    : runtime_(runtime), name_(std::move(name)), style_(style), handle_(runtime.newHandle()) {}

Form::~Form() = default;

void Form::setCaption(std::string text) {
    caption_ = std::move(text);
    touch();
}

void Form::setClientSize(double widthTwips, double heightTwips) {
    clientWidth_ = widthTwips;
    clientHeight_ = heightTwips;
    touch();
}

double Form::width() const {
    const auto m = runtime_.host().frameMargins(*this);
    return clientWidth_ + pixelsToTwips(m.left + m.right);
}

double Form::height() const {
    const auto m = runtime_.host().frameMargins(*this);
    return clientHeight_ + pixelsToTwips(m.top + m.bottom);
}

void Form::setLeft(double twips) {
    left_ = twips;
    touch();
}

void Form::setTop(double twips) {
    top_ = twips;
    touch();
}

void Form::setWidth(double twips) {
    const auto m = runtime_.host().frameMargins(*this);
    setClientSize(twips - pixelsToTwips(m.left + m.right), clientHeight_);
}

void Form::setHeight(double twips) {
    const auto m = runtime_.host().frameMargins(*this);
    setClientSize(clientWidth_, twips - pixelsToTwips(m.top + m.bottom));
}

void Form::movedTo(double leftTwips, double topTwips) {
    left_ = leftTwips;
    top_ = topTwips;
}

void Form::show() {
    visible_ = true;
    touch();
    runtime_.formShown(*this);
}

void Form::hide() {
    if (!visible_) return;
    visible_ = false;
    touch();
    runtime_.formHidden(*this);
}

void Form::bringToFront() {
    runtime_.formRaised(*this);
}

void Form::unload() {
    runtime_.unload(*this);
}

Control* Form::find(std::string_view name, int index) const {
    for (const auto& c : controls_)
        if (c->name() == name && c->index() == index) return c.get();
    return nullptr;
}

namespace {

const MenuItem* findIn(const std::vector<MenuItem>& items, std::string_view name) {
    for (const auto& item : items) {
        if (item.name == name) return &item;
        if (const MenuItem* inner = findIn(item.items, name)) return inner;
    }
    return nullptr;
}

} // namespace

const MenuItem* Form::findMenuItem(std::string_view name) const {
    for (const auto& menu : menus)
        if (const MenuItem* item = findIn(menu.items, name)) return item;
    return nullptr;
}

MenuItem* Form::findMenuItem(std::string_view name) {
    return const_cast<MenuItem*>(std::as_const(*this).findMenuItem(name));
}

void Form::setMenuChecked(std::string_view name, bool checked) {
    MenuItem* item = findMenuItem(name);
    if (!item || item->checked == checked) return;
    item->checked = checked;
    touch();
}

void Form::setMenuEnabled(std::string_view name, bool enabled) {
    MenuItem* item = findMenuItem(name);
    if (!item || item->enabled == enabled) return;
    item->enabled = enabled;
    touch();
}

void Form::setMenuVisible(std::string_view name, bool visible) {
    MenuItem* item = findMenuItem(name);
    if (!item || item->visible == visible) return;
    item->visible = visible;
    touch();
}

void Form::touch() {
    ++revision_;
    runtime_.modelChanged();
}

double Form::pixelWidth() const {
    return twipsToPixels(clientWidth_);
}
double Form::pixelHeight() const {
    return twipsToPixels(clientHeight_);
}

Host& Form::canvasHost() const {
    return runtime_.host();
}

Container& Form::containerOf(Control* parent) {
    if (!parent) return *this;
    if (auto* container = dynamic_cast<Container*>(parent)) return *container;
    throw std::invalid_argument(parent->name() + " cannot hold controls");
}

} // namespace ui
