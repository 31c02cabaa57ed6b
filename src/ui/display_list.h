// SPDX-License-Identifier: MIT
#pragma once

#include "color.h"
#include "font.h"
#include "picture.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace ui {

// How a line is drawn: solid, or in dots (a connection shown that is not a drawn stroke).
enum class DrawStyle { Solid, Dot };

// What has been drawn on a surface, in the surface's own units, kept until it is cleared.
struct LineItem {
    double x1, y1, x2, y2;
    Color color;
    int penWidth;
    DrawStyle style = DrawStyle::Solid;
};
struct BoxItem {
    double x1, y1, x2, y2;
    Color color;
    bool filled;
    int penWidth;
};
struct CircleItem {
    double x, y, radius; // the radius is in horizontal units
    Color color;
    int penWidth;
};
struct TextItem {
    double x, y; // top-left of the first line
    std::string text;
    Color color;
    Font font;
};
struct PictureItem {
    double x, y; // top-left; the picture keeps its natural pixel size
    Picture picture;
};

using DrawItem = std::variant<LineItem, BoxItem, CircleItem, TextItem, PictureItem>;

class DisplayList {
public:
    const std::vector<DrawItem>& items() const { return items_; }
    // Grows with every change, so a painter can tell whether it must paint again.
    std::uint64_t revision() const { return revision_; }

    void add(DrawItem item) {
        items_.push_back(std::move(item));
        ++revision_;
    }
    void clear() {
        items_.clear();
        ++revision_;
    }

private:
    std::vector<DrawItem> items_;
    std::uint64_t revision_ = 0;
};

} // namespace ui
