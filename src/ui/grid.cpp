// SPDX-License-Identifier: MIT
#include "grid.h"

namespace ui {

void Grid::setColumns(std::vector<std::string> headings) {
    columns_ = std::move(headings);
    ++rowsRevision_;
    changed();
}

void Grid::setRows(std::vector<std::vector<GridCell>> rows) {
    rows_ = std::move(rows);
    selectedRow_ = -1;
    ++rowsRevision_;
    changed();
}

void Grid::select(int row) {
    if (row < -1 || row >= static_cast<int>(rows_.size())) row = -1;
    if (row != selectedRow_) {
        selectedRow_ = row;
        changed();
    }
    raiseClick();
}

} // namespace ui
