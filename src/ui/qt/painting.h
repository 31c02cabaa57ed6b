// SPDX-License-Identifier: MIT
#pragma once

#include "ui/color.h"
#include "ui/font.h"
#include "ui/picture.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>

class QPainter;

namespace ui {
class Canvas;
class Control;
class Container;
} // namespace ui

namespace ui::qt {

QColor toQColor(Color c);
// The font in pixels, so that the layout does not depend on the screen's resolution.
QFont toQFont(const Font& f);
// Shares the picture's pixels; the picture must outlive the image.
QImage toQImage(const Picture& p);

// Where a control lies in its container's client area, in pixels.
QRectF pixelRect(const Control& c);

// Paints what has been drawn on a surface, in its units mapped to pixels.
void paintDrawing(QPainter& painter, const Canvas& canvas);

// Paints a label, image, line or shape that lies inside a surface, above its drawing.
void paintLightweight(QPainter& painter, const Control& c);

} // namespace ui::qt
