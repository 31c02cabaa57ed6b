// SPDX-License-Identifier: MIT
#include "canvas.h"

#include "host.h"
#include "text_lines.h"
#include "units.h"

#include <algorithm>

namespace ui {

double Canvas::scaleWidth() const {
    return userScaleX_ ? scaleWidth_ : pixelsToTwips(pixelWidth());
}

double Canvas::scaleHeight() const {
    return userScaleY_ ? scaleHeight_ : pixelsToTwips(pixelHeight());
}

void Canvas::setScaleWidth(double units) {
    const double before = scaleWidth();
    scaleWidth_ = units;
    userScaleX_ = true;
    if (before != 0) unitsRescaled(units / before, 1.0);
    canvasChanged();
}

void Canvas::setScaleHeight(double units) {
    const double before = scaleHeight();
    scaleHeight_ = units;
    userScaleY_ = true;
    if (before != 0) unitsRescaled(1.0, units / before);
    canvasChanged();
}

double Canvas::unitsPerPixelX() const {
    const double px = pixelWidth();
    return px > 0 ? scaleWidth() / px : kTwipsPerPixel;
}

double Canvas::unitsPerPixelY() const {
    const double px = pixelHeight();
    return px > 0 ? scaleHeight() / px : kTwipsPerPixel;
}

void Canvas::add(DrawItem item) {
    drawing_.add(std::move(item));
    canvasChanged();
}

void Canvas::cls() {
    drawing_.clear();
    currentX = scaleLeft();
    currentY = scaleTop();
    canvasChanged();
}

void Canvas::line(double x1, double y1, double x2, double y2, Color color) {
    add(LineItem{x1, y1, x2, y2, color, drawWidth, drawStyle});
    currentX = x2;
    currentY = y2;
}

void Canvas::box(double x1, double y1, double x2, double y2, Color color, bool filled) {
    add(BoxItem{x1, y1, x2, y2, color, filled, drawWidth});
    currentX = x2;
    currentY = y2;
}

void Canvas::circle(double x, double y, double radius, Color color) {
    add(CircleItem{x, y, radius, color, drawWidth});
    currentX = x;
    currentY = y;
}

void Canvas::print(std::string_view text) {
    add(TextItem{currentX, currentY, std::string(text), canvasForeColor(), canvasFont()});
    currentX = scaleLeft();
    currentY += textHeight(text);
}

void Canvas::paintPicture(const Picture& picture, double x, double y) {
    add(PictureItem{x, y, picture});
}

double Canvas::textWidth(std::string_view text) const {
    double widest = 0;
    for (auto line : splitLines(text))
        widest = std::max(widest, canvasHost().textWidth(canvasFont(), line));
    return widest * unitsPerPixelX();
}

double Canvas::textHeight(std::string_view text) const {
    const auto lines = static_cast<double>(splitLines(text).size());
    return lines * canvasHost().lineHeight(canvasFont()) * unitsPerPixelY();
}

} // namespace ui
