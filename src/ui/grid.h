// SPDX-License-Identifier: MIT
#pragma once

#include "control.h"

#include <string>
#include <vector>

namespace ui {

// One cell of a grid: the text shown, and the key it sorts by.
struct GridCell {
    std::string text;
    double sortKey = 0;
};

// A table of rows under column headings. The user may sort it by any column and select one
// row; sorting is the view's business, so `selectedRow` always counts in the order of `rows`.
// Selecting a row raises the click event; Enter or a double click on a row is the key Enter.
class Grid : public Control {
public:
    Grid(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Grid, std::move(name), index) {}

    const std::vector<std::string>& columns() const { return columns_; }
    void setColumns(std::vector<std::string> headings);
    const std::vector<std::vector<GridCell>>& rows() const { return rows_; }
    // New rows clear the selection. `rowsRevision` tells a view when to read them again.
    void setRows(std::vector<std::vector<GridCell>> rows);
    std::uint64_t rowsRevision() const { return rowsRevision_; }

    int selectedRow() const { return selectedRow_; } // -1 when none
    // The user selects a row (or none, -1): the click event follows.
    void select(int row);

private:
    std::vector<std::string> columns_;
    std::vector<std::vector<GridCell>> rows_;
    std::uint64_t rowsRevision_ = 0;
    int selectedRow_ = -1;
};

} // namespace ui
