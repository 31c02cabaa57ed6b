// SPDX-License-Identifier: MIT
#pragma once

namespace ui {

// Something controls are placed in: a window, a frame or a drawing surface. Positions of the
// controls inside it are in its units; this converts them to pixels of its client area.
class Container {
public:
    virtual ~Container() = default;

    virtual double unitsPerPixelX() const = 0;
    virtual double unitsPerPixelY() const = 0;
    virtual double originX() const { return 0; }
    virtual double originY() const { return 0; }

    double toPixelX(double units) const { return (units - originX()) / unitsPerPixelX(); }
    double toPixelY(double units) const { return (units - originY()) / unitsPerPixelY(); }
    double widthToPixels(double units) const { return units / unitsPerPixelX(); }
    double heightToPixels(double units) const { return units / unitsPerPixelY(); }
};

} // namespace ui
