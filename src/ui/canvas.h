// SPDX-License-Identifier: MIT
#pragma once

#include "color.h"
#include "container.h"
#include "display_list.h"
#include "font.h"

#include <string>
#include <string_view>

namespace ui {

class Host;

// A drawing surface: its own coordinate space with (ScaleLeft, ScaleTop) at the top-left corner,
// a display list kept until Cls, and a current text position. Until a scale is set its units
// are twips.
class Canvas : public Container {
public:
    double scaleLeft() const { return 0; }
    double scaleTop() const { return 0; }
    double scaleWidth() const;
    double scaleHeight() const;
    // Redefine the units without changing the size on screen.
    void setScaleWidth(double units);
    void setScaleHeight(double units);

    double currentX = 0;
    double currentY = 0;
    int drawWidth = 1;                      // pen width in pixels
    DrawStyle drawStyle = DrawStyle::Solid; // for lines

    void cls();
    void line(double x1, double y1, double x2, double y2, Color color);
    void box(double x1, double y1, double x2, double y2, Color color, bool filled = false);
    void circle(double x, double y, double radius, Color color);
    // Prints at (currentX, currentY) in the fore colour, line below line; afterwards the text
    // position is at the left edge below the text.
    void print(std::string_view text);
    void paintPicture(const Picture& picture, double x, double y);
    double textWidth(std::string_view text) const;  // the widest line, in units
    double textHeight(std::string_view text) const; // all lines, in units

    const DisplayList& drawing() const { return drawing_; }

    double unitsPerPixelX() const override;
    double unitsPerPixelY() const override;
    double originX() const override { return scaleLeft(); }
    double originY() const override { return scaleTop(); }

    // The size of the drawable area in pixels.
    virtual double pixelWidth() const = 0;
    virtual double pixelHeight() const = 0;

protected:
    virtual Host& canvasHost() const = 0;
    virtual const Font& canvasFont() const = 0;
    virtual Color canvasForeColor() const = 0;
    virtual void canvasChanged() = 0;
    // The units changed by these factors (new units per old unit); controls inside the surface
    // keep their place on screen.
    virtual void unitsRescaled(double /*factorX*/, double /*factorY*/) {}

private:
    void add(DrawItem item);

    DisplayList drawing_;
    double scaleWidth_ = 0, scaleHeight_ = 0;
    bool userScaleX_ = false, userScaleY_ = false;
};

} // namespace ui
