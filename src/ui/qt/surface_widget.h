// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <QPixmap>
#include <QWidget>

namespace ui {
class Canvas;
class Control;
class Form;
class Runtime;
} // namespace ui

namespace ui::qt {

// Labels, images, lines and shapes inside a surface are painted by the surface, not by widgets.
bool paintedBySurface(const Control& c);

// Paints a drawing surface: its background, what has been drawn on it, and above that the
// labels, images, lines and shapes placed inside it. A click on it is the surface's click.
class SurfaceWidget : public QWidget {
public:
    // `surface` is the surface control, or null when the canvas is a window's client area.
    SurfaceWidget(Runtime& runtime, Form& form, Canvas& canvas, Control* surface, QWidget* parent);

    Control* surfaceControl() const { return surface_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The background and the drawing, for a drawing large enough to be worth keeping.
    void paintKept(QPainter& painter, double zoom, const QColor& back);

    Runtime& runtime_;
    Form& form_;
    Canvas& canvas_;
    Control* surface_;
    QPixmap kept_;
    std::uint64_t keptRevision_ = 0;
    double keptZoom_ = 0;
    QRgb keptBack_ = 0;
};

} // namespace ui::qt
