// SPDX-License-Identifier: MIT
#pragma once

#include "ui/picture.h"

#include <QByteArray>
#include <QImage>

namespace packaging {

// The picture as a square icon of `size` pixels, scaled by repeating pixels and never blending
// them, so the pixel art stays crisp.
QImage iconImage(const ui::Picture& picture, int size);

// The picture as an SVG document: one rectangle per run of same-coloured pixels, drawn with
// crisp edges so it scales like the PNGs.
QByteArray svgDocument(const ui::Picture& picture);

} // namespace packaging
