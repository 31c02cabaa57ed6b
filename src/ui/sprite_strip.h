// SPDX-License-Identifier: MIT
#pragma once

#include "picture.h"

#include <string>

namespace ui {

// One picture cut into a grid of equal cells, counted row by row from the top-left.
class SpriteStrip {
public:
    SpriteStrip() = default;
    SpriteStrip(std::string name, Picture picture, int rows, int columns);

    const std::string& name() const { return name_; }
    int cellWidth() const { return columns_ ? picture_.width / columns_ : 0; }
    int cellHeight() const { return rows_ ? picture_.height / rows_ : 0; }
    int cellCount() const { return rows_ * columns_; }

    // The cell as a picture of its own, named like "clpAC[3]"; an index outside the strip gives
    // an empty picture.
    Picture cell(int index) const;

private:
    std::string name_;
    Picture picture_;
    int rows_ = 0;
    int columns_ = 0;
};

} // namespace ui
