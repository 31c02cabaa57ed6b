// SPDX-License-Identifier: MIT
#pragma once

#include "canvas.h"
#include "control.h"
#include "units.h"

namespace ui {

// A captioned frame; the controls inside are placed in twips from its top-left corner.
class Frame : public Control, public Container {
public:
    Frame(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Frame, std::move(name), index) {}

    double unitsPerPixelX() const override { return kTwipsPerPixel; }
    double unitsPerPixelY() const override { return kTwipsPerPixel; }
};

// A drawing surface placed on a window or a frame. The controls inside it are placed in its
// own units and lie above its drawing.
class PictureBox : public Control, public Canvas {
public:
    PictureBox(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::PictureBox, std::move(name), index) {}

    double pixelWidth() const override { return container().widthToPixels(width()); }
    double pixelHeight() const override { return container().heightToPixels(height()); }

protected:
    Host& canvasHost() const override;
    const Font& canvasFont() const override { return font(); }
    Color canvasForeColor() const override { return foreColor(); }
    void canvasChanged() override { changed(); }
    void unitsRescaled(double factorX, double factorY) override;
};

} // namespace ui
