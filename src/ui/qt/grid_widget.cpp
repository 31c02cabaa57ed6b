// SPDX-License-Identifier: MIT
#include "grid_widget.h"

#include "ui/grid.h"
#include "ui/runtime.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSortFilterProxyModel>

namespace ui::qt {

// The grid's rows as Qt asks for them, one visible cell at a time: the text to show, and the
// key to sort by under Qt::UserRole. The counts are those of the last reset, so that a view
// asking between a change of the rows and its reset is given nothing rather than a stale cell.
class GridModel : public QAbstractTableModel {
public:
    explicit GridModel(const Grid& grid, QObject* parent)
        : QAbstractTableModel(parent), grid_(grid) {
        count();
    }

    void reload() {
        beginResetModel();
        count();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columns_;
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::UserRole) return {};
        const GridCell* cell = cellAt(index.row(), index.column());
        if (!cell) return {};
        if (role == Qt::UserRole) return cell->sortKey;
        return QString::fromStdString(cell->text);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        const auto& columns = grid_.columns();
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= static_cast<int>(columns.size()))
            return QAbstractTableModel::headerData(section, orientation, role);
        return QString::fromStdString(columns[static_cast<std::size_t>(section)]);
    }

private:
    void count() {
        rows_ = static_cast<int>(grid_.rows().size());
        columns_ = static_cast<int>(grid_.columns().size());
    }

    // A row may hold fewer cells than there are headings: the rest are empty.
    const GridCell* cellAt(int row, int column) const {
        const auto& rows = grid_.rows();
        if (row < 0 || column < 0 || row >= static_cast<int>(rows.size())) return nullptr;
        const auto& cells = rows[static_cast<std::size_t>(row)];
        if (column >= static_cast<int>(cells.size())) return nullptr;
        return &cells[static_cast<std::size_t>(column)];
    }

    const Grid& grid_;
    int rows_ = 0, columns_ = 0;
};

namespace {

// Columns are fitted to their headings and the first rows, not to every row: thousands of
// rows would cost more than they tell.
constexpr int kFittedRowSample = 64;

bool isEnter(const QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    return enter && !(event->modifiers() & ~Qt::KeypadModifier);
}

} // namespace

GridWidget::GridWidget(Runtime& runtime, Grid& grid, QWidget* parent,
                       std::function<void()> afterEvent)
    : QTableView(parent), runtime_(runtime), grid_(grid), afterEvent_(std::move(afterEvent)),
      model_(new GridModel(grid, this)), sorted_(new QSortFilterProxyModel(this)) {
    sorted_->setSortRole(Qt::UserRole);
    sorted_->setSourceModel(model_);
    setModel(sorted_);
    seenRowsRevision_ = grid.rowsRevision();

    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setCornerButtonEnabled(false);
    // Tab goes on to the window's next control, as from any other; the arrow keys walk the rows.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* headings = horizontalHeader();
    headings->setStretchLastSection(true);
    headings->setHighlightSections(false);
    headings->setResizeContentsPrecision(kFittedRowSample);
    // No column is sorted until the user asks: the rows show in the grid's own order.
    headings->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { userSelected(); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) enter();
    });
}

GridWidget::~GridWidget() = default;

void GridWidget::sync() {
    if (const int rowHeight = fontMetrics().height() + 6;
        verticalHeader()->defaultSectionSize() != rowHeight)
        verticalHeader()->setDefaultSectionSize(rowHeight);
    if (grid_.rowsRevision() != seenRowsRevision_) {
        seenRowsRevision_ = grid_.rowsRevision();
        showing_ = true; // the reset clears the view's selection; the grid's own follows below
        model_->reload();
        showing_ = false;
    }
    if (grid_.columns() != fittedColumns_ || (!fittedRows_ && !grid_.rows().empty())) fitColumns();
    showSelectedRow();
}

void GridWidget::fitColumns() {
    fittedColumns_ = grid_.columns();
    fittedRows_ = !grid_.rows().empty();
    resizeColumnsToContents();
}

void GridWidget::showSelectedRow() {
    const int row = grid_.selectedRow();
    const QModelIndex at = row >= 0 && row < model_->rowCount()
                               ? sorted_->mapFromSource(model_->index(row, 0))
                               : QModelIndex();
    const QModelIndexList shown = selectionModel()->selectedRows();
    if (at.isValid() ? shown.size() == 1 && shown.front() == at : shown.isEmpty()) return;
    showing_ = true;
    if (at.isValid()) {
        selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect |
                                                  QItemSelectionModel::Rows);
        scrollTo(at);
    } else {
        selectionModel()->clearSelection();
    }
    showing_ = false;
}

void GridWidget::userSelected() {
    if (showing_) return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : sorted_->mapToSource(rows.front()).row();
    runtime_.select(grid_, row);
    // While a message box is open, or the grid is disabled, the selection stays the grid's.
    sync();
    afterEvent_();
}

void GridWidget::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    // A zoom changes the font: the next sync fits the columns to the texts at their new size.
    if (event->type() == QEvent::FontChange) fittedColumns_.clear();
}

bool GridWidget::enter() {
    const bool used = runtime_.keyPress(grid_, Key::Enter);
    afterEvent_();
    return used;
}

void GridWidget::keyPressEvent(QKeyEvent* event) {
    // Enter unbound goes on to the table, which passes it to the window.
    if (isEnter(event) && !event->isAutoRepeat() && enter()) return;
    QTableView::keyPressEvent(event);
}

} // namespace ui::qt
