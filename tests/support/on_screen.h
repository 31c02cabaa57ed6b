// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

// Lets a change reach the screen: the renderer syncs the models on one round of events and
// the widgets paint on a later one.
inline void settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// What the screen shows of `widget` after settling, not a fresh paint of it: a part that was
// not repainted shows as it was.
inline QImage screenOf(QWidget* widget) {
    settle();
    QWidget* window = widget->window();
    const QPoint at = widget->mapTo(window, QPoint(0, 0));
    return QGuiApplication::primaryScreen()
        ->grabWindow(window->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage();
}

// How many pixels within `radius` of (x, y) have exactly `colour`; edges are smoothed, so a
// drawing is looked for near where it should be rather than on one exact pixel.
inline int countNear(const QImage& image, double x, double y, int radius, QColor colour) {
    int n = 0;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            n += image.pixelColor(int(std::lround(x)) + dx, int(std::lround(y)) + dy) == colour;
    return n;
}

// A map of 200 by 200 units drawn 387 by 385 pixels large, as the game's is, from `left`, `top`.
struct MapPixels {
    double left, top;
    double x(double units) const { return left + units * 387 / 200; }
    double y(double units) const { return top + units * 385 / 200; }
};
