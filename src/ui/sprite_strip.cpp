// SPDX-License-Identifier: MIT
#include "sprite_strip.h"

namespace ui {

SpriteStrip::SpriteStrip(std::string name, Picture picture, int rows, int columns)
    : name_(std::move(name)), picture_(std::move(picture)), rows_(rows), columns_(columns) {}

Picture SpriteStrip::cell(int index) const {
    Picture out;
    if (index < 0 || index >= cellCount()) return out;
    out.name = name_ + "[" + std::to_string(index) + "]";
    out.width = cellWidth();
    out.height = cellHeight();
    const int left = (index % columns_) * out.width;
    const int top = (index / columns_) * out.height;
    out.pixels.reserve(std::size_t(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x)
            out.pixels.push_back(picture_.pixel(left + x, top + y));
    return out;
}

} // namespace ui
