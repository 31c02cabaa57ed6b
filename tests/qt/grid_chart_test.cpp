// SPDX-License-Identifier: MIT
// A grid and a chart on a real window, as a logbook shows its searches: the user sorts the table
// by any heading and picks a row, the form hears which of its own rows that was, and the chart
// draws its bands behind its lines on the form's axes.
#include "support/on_screen.h"
#include "ui/chart.h"
#include "ui/controls.h"
#include "ui/grid.h"
#include "ui/qt/form_window.h"
#include "ui/qt/painting.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/window_slot.h"

#include <functional>
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QAreaSeries>
#include <QChartView>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineSeries>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>

namespace {

using Rows = std::vector<std::vector<ui::GridCell>>;

// Searches in the order they were flown. Scores sort as numbers ("9" before "10") and ratings by
// rank, neither of which is the order of their texts.
Rows searches() {
    return {
        {{"2024-05-01", 1}, {"9", 9}, {"Poor", 1}},
        {{"2024-05-02", 2}, {"100", 100}, {"Excellent", 4}},
        {{"2024-05-03", 3}, {"10", 10}, {"Fair", 2}},
        {{"2024-05-04", 4}, {"85", 85}, {"Good", 3}},
    };
}

const ui::Color kGreen{0, 160, 0}, kBlue{0, 0, 255};

std::vector<ui::ChartBand> bands(int n) {
    const std::vector<ui::ChartBand> all{{0, 50, {200, 0, 0}, "Poor"},
                                         {50, 80, {230, 200, 0}, "Fair"},
                                         {80, 90, {0, 0, 200}, "Good"},
                                         {90, 100, kGreen, "Excellent"}};
    return {all.begin(), all.begin() + n};
}

// A window with a grid and a chart, shown on the desktop. A message box "opens" by running
// `duringBox`, so a test can act while it is up.
struct LogbookWindow {
    struct Host : ui::qt::QtHost {
        std::function<void()> duringBox;
        int messageBox(const std::string&, int, const std::string&) override {
            if (duringBox) duringBox();
            return 1;
        }
    };

    LogbookWindow() {
        host.setRenderer(&renderer);
        slot->show();
        renderer.syncNow();
        window().window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window().window()));
    }

    std::unique_ptr<ui::Form> make(ui::Runtime& rt) {
        auto form = std::make_unique<ui::Form>(rt, "frmLogbook", ui::WindowStyle::Main);
        form->setClientSize(9000, 7200);
        grid = &form->add<ui::Grid>("grdSearches");
        grid->setGeometry(120, 120, 6000, 2400);
        grid->accessibleName = "Searches";
        grid->setColumns({"Date", "Score", "Rating"});
        grid->setRows(searches());
        grid->onClick = [this] { ++selections; };
        debrief = &form->add<ui::Button>("cmdDebrief");
        debrief->setGeometry(6300, 120, 1500, 450);
        debrief->onClick = [this] { ++debriefs; };
        grid->keyClicks.push_back({ui::Key::Enter, debrief});
        chart = &form->add<ui::Chart>("chtScores");
        chart->setGeometry(120, 2700, 8640, 4200);
        chart->accessibleName = "Scores";
        chart->xTitle = "Search";
        chart->yTitle = "Score";
        chart->setData(bands(4), {{"Score", {40, 95, 60, 70, 30}, kBlue, true},
                                  {"Average", {40, 67.5, 65, 66.25, 59}, {0, 0, 0}, false}});
        return form;
    }

    ui::qt::FormWindow& window() { return *renderer.windowOf(*slot.existing()); }
    QTableView* table() { return static_cast<QTableView*>(window().widgetOf(*grid)); }
    QChartView* chartView() { return static_cast<QChartView*>(window().widgetOf(*chart)); }
    QPoint rowAt(int viewRow) {
        return table()->visualRect(table()->model()->index(viewRow, 0)).center();
    }
    void clickRow(int viewRow) {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, rowAt(viewRow));
        settle();
    }
    void clickHeading(int column) {
        QHeaderView* h = table()->horizontalHeader();
        const QPoint at(h->sectionViewportPosition(column) + h->sectionSize(column) / 2,
                        h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, at);
        settle();
    }
    // The texts of one column, top to bottom as the user sees them.
    std::vector<std::string> shown(int column) {
        std::vector<std::string> texts;
        const QAbstractItemModel* m = table()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            texts.push_back(m->index(r, column).data().toString().toStdString());
        return texts;
    }
    // The view row the user sees selected, or -1.
    int selectedViewRow() {
        const auto rows = table()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.front().row() : -1;
    }

    Host host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    ui::Grid* grid = nullptr;
    ui::Button* debrief = nullptr;
    ui::Chart* chart = nullptr;
    int selections = 0, debriefs = 0;
    ui::WindowSlot<ui::Form> slot{runtime, [this](ui::Runtime& rt) { return make(rt); }};
};

TEST(GridWidget, aHeadingSortsByTheCellsKeysNotTheirTexts) {
    LogbookWindow w;
    EXPECT_EQ(w.table()->geometry(), QRect(8, 8, 400, 160));
    EXPECT_EQ(w.table()->accessibleName(), "Searches");
    EXPECT_EQ(w.shown(1), (std::vector<std::string>{"9", "100", "10", "85"}))
        << "unsorted until the user asks: the order flown";
    struct Case {
        int heading;
        std::vector<std::string> shown; // the clicked column, after the click
    };
    const Case cases[] = {
        {1, {"9", "10", "85", "100"}},
        {1, {"100", "85", "10", "9"}},
        {2, {"Poor", "Fair", "Good", "Excellent"}},
        {0, {"2024-05-01", "2024-05-02", "2024-05-03", "2024-05-04"}},
        {0, {"2024-05-04", "2024-05-03", "2024-05-02", "2024-05-01"}},
    };
    for (const auto& c : cases) {
        w.clickHeading(c.heading);
        EXPECT_EQ(w.shown(c.heading), c.shown) << "heading " << c.heading;
    }
    EXPECT_EQ(w.selections, 0) << "sorting selects nothing";
}

TEST(GridWidget, aRowPickedInTheSortedTableIsTheGridsOwnRow) {
    LogbookWindow w;
    w.clickHeading(1); // by score: 9, 10, 85, 100
    w.clickRow(3);
    EXPECT_EQ(w.grid->selectedRow(), 1) << "100 is the second search flown";
    EXPECT_EQ(w.selections, 1);
    w.clickRow(3);
    EXPECT_EQ(w.selections, 1) << "the same row again is no new selection";
    w.clickRow(0);
    EXPECT_EQ(w.grid->selectedRow(), 0);
    EXPECT_EQ(w.selections, 2);

    w.grid->select(3); // the form picks the fourth search flown, 85
    settle();
    EXPECT_EQ(w.selectedViewRow(), 2);
    EXPECT_EQ(w.selections, 3) << "the form's own selection is heard once, not echoed";

    // While a message box is up, a click on the table changes nothing, on screen either.
    w.host.duringBox = [&] { w.clickRow(1); };
    w.runtime.messageBox("Delete this search?");
    EXPECT_EQ(w.grid->selectedRow(), 3);
    EXPECT_EQ(w.selectedViewRow(), 2);
    EXPECT_EQ(w.selections, 3);
}

TEST(GridWidget, enterAndADoubleClickOnARowActAsTheKeyTheFormBoundToIt) {
    LogbookWindow w;
    w.clickRow(2);
    QTest::keyClick(w.table(), Qt::Key_Return);
    EXPECT_EQ(w.debriefs, 1);
    QTest::keyClick(w.table(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(w.debriefs, 2);
    QTest::keyClick(w.table(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(w.debriefs, 2) << "Shift+Enter is not Enter";
    // A double click comes after the first click of its pair, as the window system sends it.
    QTest::mouseClick(w.table()->viewport(), Qt::LeftButton, {}, w.rowAt(1));
    QTest::mouseDClick(w.table()->viewport(), Qt::LeftButton, {}, w.rowAt(1));
    settle();
    EXPECT_EQ(w.debriefs, 3);
    EXPECT_EQ(w.grid->selectedRow(), 1) << "the row double-clicked is the one selected";
    QTest::keyClick(w.table(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w.window().widgetOf(*w.debrief))
        << "Tab leaves the table for the next control, not the next cell";
}

TEST(GridWidget, theColumnsAreFittedAgainToTheirTextsAtANewZoom) {
    LogbookWindow w;
    const int before = w.table()->columnWidth(0);
    w.runtime.setZoom(200);
    settle();
    EXPECT_GE(w.table()->columnWidth(0), before * 9 / 5) << "at 100 %: " << before;
}

TEST(GridWidget, newRowsResetTheTableAndKeepTheUsersSort) {
    LogbookWindow w;
    w.clickHeading(1);
    w.clickHeading(1); // by score, highest first
    w.clickRow(0);
    ASSERT_EQ(w.selections, 1);
    Rows more = searches();
    more.push_back({{"2024-05-05", 5}, {"99", 99}, {"Excellent", 4}});
    more.push_back({{"2024-05-06", 6}, {"1", 1}, {"Poor", 1}});
    w.grid->setRows(more);
    settle();
    EXPECT_EQ(w.shown(1), (std::vector<std::string>{"100", "99", "85", "10", "9", "1"}));
    EXPECT_EQ(w.table()->horizontalHeader()->sortIndicatorSection(), 1);
    EXPECT_EQ(w.table()->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(w.selectedViewRow(), -1) << "new rows clear the selection";
    EXPECT_EQ(w.selections, 1) << "and raise no click";
    w.grid->select(4); // 99
    settle();
    EXPECT_EQ(w.selectedViewRow(), 1);

    // A form may answer a selection with new rows, as when a search is deleted.
    w.grid->onClick = [&] { w.grid->setRows(searches()); };
    w.clickRow(5);
    EXPECT_EQ(w.table()->model()->rowCount(), 4);
    EXPECT_EQ(w.grid->selectedRow(), -1);
    EXPECT_EQ(w.selectedViewRow(), -1);
}

// The series a chart view holds, by kind.
template <class S>
std::vector<S*> seriesOf(QChartView* view) {
    std::vector<S*> found;
    for (QAbstractSeries* s : view->chart()->series())
        if (auto* typed = qobject_cast<S*>(s)) found.push_back(typed);
    return found;
}

QValueAxis* axis(QChartView* view, Qt::Orientation o) {
    return qobject_cast<QValueAxis*>(view->chart()->axes(o).value(0));
}

TEST(ChartWidget, bandsAreAreasBehindALinePerSeriesOnTheControlsAxes) {
    LogbookWindow w;
    QChartView* view = w.chartView();
    EXPECT_EQ(view->geometry(), QRect(8, 180, 576, 280));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(view);
    EXPECT_EQ(face->role(), QAccessible::Chart);
    EXPECT_EQ(face->text(QAccessible::Name), "Scores");
    EXPECT_EQ(axis(view, Qt::Horizontal)->labelsFont(), view->font()) << "the control's font";

    auto areas = seriesOf<QAreaSeries>(view);
    auto lines = seriesOf<QLineSeries>(view);
    ASSERT_EQ(areas.size(), 4u);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(view->chart()->series().front(), areas.front()) << "bands first, so behind";
    EXPECT_EQ(areas[3]->name(), "Excellent");
    EXPECT_EQ(areas[3]->upperSeries()->at(0).y(), 100);
    EXPECT_EQ(areas[3]->lowerSeries()->at(1).y(), 90);
    EXPECT_EQ(lines[0]->name(), "Score");
    EXPECT_EQ(lines[0]->count(), 5);
    EXPECT_EQ(lines[0]->at(1), QPointF(2, 95)) << "the second value at position 2";
    EXPECT_TRUE(lines[0]->pointsVisible());
    EXPECT_FALSE(lines[1]->pointsVisible());
    QValueAxis* x = axis(view, Qt::Horizontal);
    QValueAxis* y = axis(view, Qt::Vertical);
    ASSERT_TRUE(x && y);
    EXPECT_EQ(x->min(), 0.5);
    EXPECT_EQ(x->max(), 5.5);
    EXPECT_EQ(x->titleText(), "Search");
    EXPECT_EQ(y->min(), 0);
    EXPECT_EQ(y->max(), 100);
    EXPECT_EQ(y->titleText(), "Score");

    // A change that is not new data leaves the series as they are.
    w.chart->setVisible(false);
    w.chart->setVisible(true);
    settle();
    EXPECT_EQ(seriesOf<QLineSeries>(view), lines);

    w.chart->yMinimum = 20;
    w.chart->yMaximum = 80;
    w.chart->setData(bands(2), {{"Score", std::vector<double>(12, 50.0), kBlue, true}});
    settle();
    EXPECT_EQ(seriesOf<QAreaSeries>(view).size(), 2u);
    ASSERT_EQ(seriesOf<QLineSeries>(view).size(), 1u);
    EXPECT_EQ(seriesOf<QLineSeries>(view)[0]->count(), 12);
    EXPECT_EQ(x->max(), 12.5);
    EXPECT_EQ(y->min(), 20);
    EXPECT_EQ(y->max(), 80);

    // The chart is 576 pixels wide: 192 values, 3 pixels apart, have room for their dots; 193
    // crowd together.
    struct Case {
        std::size_t values;
        bool dots;
        double penWidth;
    };
    for (const Case c : {Case{192, true, 2}, Case{193, false, 1}}) {
        w.chart->setData({}, {{"Score", std::vector<double>(c.values, 50.0), kBlue, true}});
        settle();
        QLineSeries* line = seriesOf<QLineSeries>(view).at(0);
        EXPECT_EQ(line->count(), static_cast<int>(c.values)) << "every value is drawn";
        EXPECT_EQ(line->pointsVisible(), c.dots) << c.values << " values";
        EXPECT_EQ(line->pen().widthF(), c.penWidth) << c.values << " values";
        EXPECT_EQ(line->pen().color(), QColor(Qt::blue));
    }
}

TEST(ChartWidget, aBandShowsItsColourBehindTheLineAndWholeInTheLegend) {
    // Seen through in the chart; in the legend not, or a pale band's swatch would look empty.
    LogbookWindow w;
    QChartView* view = w.chartView();
    QLineSeries* score = seriesOf<QLineSeries>(view).at(0);
    const QImage image = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto pixel = [&](QPointF value) {
        const QPointF scene = view->chart()->mapToPosition(value, score);
        return image.pixelColor(view->mapFromScene(scene));
    };
    // Search 4 scored 70: above it, at 95, only the green band lies, seen through on white.
    const QColor band = pixel({4, 95});
    EXPECT_GT(band.green(), band.red() + 40) << band.name().toStdString();
    EXPECT_GT(band.green(), band.blue() + 40) << band.name().toStdString();
    // Search 2 scored 95, inside the same band: there the blue line and its dot lie on top.
    const QColor line = pixel({2, 95});
    EXPECT_GT(line.blue(), line.green() + 80) << line.name().toStdString();
    for (const auto& swatch : bands(4)) {
        const QColor want = ui::qt::toQColor(swatch.color);
        const int near = countIn(image, image.rect(), [&want](QColor c) {
            return std::abs(c.red() - want.red()) + std::abs(c.green() - want.green()) +
                       std::abs(c.blue() - want.blue()) <=
                   12;
        });
        EXPECT_GE(near, 20) << swatch.label;
    }
}

TEST(ChartWidget, aValueBeyondTheScaleIsDrawnAtTheEdgeAndToldOnHoverOnRoundTicks) {
    // One wild score leaves the scale where the form put it; the axis counts in round steps.
    LogbookWindow w;
    QChartView* view = w.chartView();
    w.chart->yMaximum = 80;
    w.chart->setData(bands(2), {{"Score", {180.04, 5, 12}, kBlue, true}});
    settle();
    QLineSeries* line = seriesOf<QLineSeries>(view).at(0);
    EXPECT_EQ(line->at(0), QPointF(1, 80));
    EXPECT_EQ(line->at(1), QPointF(2, 5));
    const QPoint edge = view->mapFromScene(view->chart()->mapToPosition(line->at(0), line));
    QTest::mouseMove(view->viewport(), edge + QPoint(0, 20));
    QTest::mouseMove(view->viewport(), edge);
    settle();
    EXPECT_EQ(QToolTip::text(), "Search 1, Score: 180");
    // The pointer rests: the window system asks the view for its tip.
    QHelpEvent rest(QEvent::ToolTip, edge, view->viewport()->mapToGlobal(edge));
    QApplication::sendEvent(view->viewport(), &rest);
    QTest::qWait(500); // longer than a hidden tip takes to go
    EXPECT_TRUE(QToolTip::isVisible()) << "the value stays while the pointer rests";
    EXPECT_EQ(QToolTip::text(), "Search 1, Score: 180");

    QValueAxis* y = axis(view, Qt::Vertical);
    const std::pair<double, double> ticks[] = {{80, 20}, {180, 50}, {100, 20}, {12, 5}};
    for (const auto& [top, step] : ticks) {
        w.chart->yMaximum = top;
        w.chart->setData(bands(2), {{"Score", {180.04, 5, 12}, kBlue, true}});
        settle();
        EXPECT_EQ(y->tickType(), QValueAxis::TicksDynamic);
        EXPECT_EQ(y->tickInterval(), step) << "up to " << top;
        EXPECT_EQ(y->tickAnchor(), 0);
    }
}

} // namespace
