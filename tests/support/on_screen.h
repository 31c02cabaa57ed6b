// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <type_traits>

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

// How many pixels of `area` that lie in the image pass `test`: exactly a colour, or a
// predicate on one.
template <typename Test>
int countIn(const QImage& image, const QRect& area, Test test) {
    int n = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if constexpr (std::is_invocable_r_v<bool, Test, QColor>)
                n += test(c);
            else
                n += c == QColor(test);
        }
    return n;
}

// The same within `radius` of (x, y); edges are smoothed, so a drawing is looked for near
// where it should be rather than on one exact pixel.
template <typename Test>
int countNear(const QImage& image, double x, double y, int radius, Test test) {
    const QPoint at(int(std::lround(x)), int(std::lround(y))), corner(radius, radius);
    return countIn(image, QRect(at - corner, at + corner), test);
}

// A map of 200 by 200 units drawn 387 by 385 pixels large, as the game's is, from `left`, `top`.
struct MapPixels {
    double left, top;
    double x(double units) const { return left + units * 387 / 200; }
    double y(double units) const { return top + units * 385 / 200; }
};
