// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <QTableView>
#include <string>
#include <vector>

class QSortFilterProxyModel;

namespace ui {
class Grid;
class Runtime;
} // namespace ui

namespace ui::qt {

class GridModel;

// A grid as a table the user sorts by clicking a heading and selects whole rows in. The rows are
// read from the grid itself, never copied, so that thousands of them show at once; the sort is
// the view's own, and a selected row reaches the grid counted in the grid's order.
class GridWidget : public QTableView {
public:
    GridWidget(Runtime& runtime, Grid& grid, QWidget* parent, std::function<void()> afterEvent);
    ~GridWidget() override;

    // Reads the rows again when they changed, and shows the grid's selected row.
    void sync();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void userSelected();
    void showSelectedRow();
    void fitColumns();
    bool enter(); // false when the grid has no use for Enter

    Runtime& runtime_;
    Grid& grid_;
    std::function<void()> afterEvent_;
    GridModel* model_;
    QSortFilterProxyModel* sorted_;
    std::uint64_t seenRowsRevision_ = 0;
    std::vector<std::string> fittedColumns_;
    bool fittedRows_ = false;
    bool showing_ = false; // the selection is being set from the grid, not by the user
};

} // namespace ui::qt
