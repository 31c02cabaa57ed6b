// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <QChartView>
#include <QColor>
#include <QPointF>
#include <QString>
#include <vector>

class QLineSeries;
class QValueAxis;

namespace ui {
class Chart;
} // namespace ui

namespace ui::qt {

// A chart as Qt Charts draws it: each band a translucent area across the whole width, behind
// each series as a line over the positions 1, 2, 3 ... A value beyond the scale is drawn at its
// edge, and any value is told on hover. The series are read again only when
// the chart's data changed. Where the values crowd together, thousands of them in a few hundred
// pixels, the lines are drawn thin and without dots.
class ChartWidget : public QChartView {
public:
    ChartWidget(const Chart& chart, QWidget* parent);

    void sync();

protected:
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct Line {
        QLineSeries* series;
        QColor colour;
        bool markers;
    };

    void useFont();
    void rebuild();
    void addBands(double left, double right);
    void addSeries();
    bool crowded() const;
    static void style(const Line& line, bool crowded);
    void styleLines();
    void showValue(const QString& series, const std::vector<double>& values, QPointF at,
                   bool entered);

    const Chart& model_;
    QValueAxis* xAxis_;
    QValueAxis* yAxis_;
    std::vector<Line> lines_; // owned by the chart
    std::size_t positions_ = 1;
    std::uint64_t seenDataRevision_ = 0;
    bool built_ = false;
    QString hoverText_; // the value under the pointer, while it is over one
};

} // namespace ui::qt
