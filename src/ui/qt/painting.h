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
class Form;
} // namespace ui

namespace ui::qt {

QColor toQColor(Color c);
// The font in pixels, so that the layout does not depend on the screen's resolution, at the
// size the zoom makes it.
QFont toQFont(const Font& f, double zoom = 1.0);
// A desktop font, such as the menus', made larger by the zoom.
QFont zoomedFont(QFont font, double zoom);
// Shares the picture's pixels; the picture must outlive the image.
QImage toQImage(const Picture& p);

// How many screen pixels a pixel of the designed layout takes: every window of the program is
// drawn at the same zoom, unless it would not fit its screen there.
double zoomOf(const Form& form);
double zoomOf(const Control& c);
// A window that fits its screen only up to `largest` times its designed size is drawn no
// larger, whatever the zoom; the limit holds until it is lifted or replaced.
void limitZoom(const Form& form, double largest);
void liftZoomLimit(const Form& form);

// Where a control lies in its container's client area, in pixels of the designed layout.
QRectF pixelRect(const Control& c);
// The same on the screen, at the zoom.
QRect zoomedRect(const QRectF& designed, double zoom);

// Paints what has been drawn on a surface, in its units mapped to pixels.
void paintDrawing(QPainter& painter, const Canvas& canvas);

// What a control covers in its container, in pixels of the designed layout: its place, or for
// a line the box its ends span with its pen's width around it.
QRectF designedArea(const Control& c);
// What a label, image, line or shape inside a surface covers when painted, in the surface's
// pixels at the zoom, smoothed edges included.
QRect paintedArea(const Control& c);
// Paints a label, image, line or shape that lies inside a surface, above its drawing.
void paintLightweight(QPainter& painter, const Control& c);

} // namespace ui::qt
