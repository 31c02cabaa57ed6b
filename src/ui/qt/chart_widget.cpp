// SPDX-License-Identifier: MIT
#include "chart_widget.h"

#include "painting.h"
#include "ui/chart.h"

#include <algorithm>
#include <cmath>
#include <QAreaSeries>
#include <QChart>
#include <QCursor>
#include <QHelpEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QToolTip>
#include <QValueAxis>

namespace ui::qt {

namespace {

// Bands are seen through, so that the grid lines and each other's edges still show.
constexpr int kBandAlpha = 80;
constexpr double kSeriesWidth = 2;
constexpr double kMarkerSize = 6;
// Values closer than this many pixels apart are crowded: their dots would run together into a
// band, and a thin line reads as well as a wide one while drawing in a fraction of the time.
constexpr double kCrowdedSpacing = 3;
// No more numbers than this along the horizontal axis, however many positions there are, and
// no more steps than this up the vertical one.
constexpr double kMostXTicks = 10;
constexpr double kMostYSteps = 5;

// A step of 1, 2 or 5 times a power of ten (the smallest 1) that divides `span` into at most
// `most` steps, so that every number on an axis is a round one.
double roundStep(double span, double most) {
    for (double power = 1;; power *= 10)
        for (double step : {power, 2 * power, 5 * power})
            if (span / step <= most) return step;
}

// A value drawn at the edge of the chart's scale, when it lies beyond.
double withinScale(double value, double low, double high) {
    return std::clamp(value, low, std::max(low, high));
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// A band or series without a name has nothing to say in the legend.
void hideUnnamed(QChart* chart, QAbstractSeries* series) {
    if (!series->name().isEmpty()) return;
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

} // namespace

namespace {

// A chart that draws at once, without animations or rounded corners.
QChart* plainChart() {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 4, 4));
    // Beside the plot, one entry a line: in a row under it, long names were cut short.
    chart->legend()->setAlignment(Qt::AlignRight);
    return chart;
}

} // namespace

// The view is given its chart as it is made: a chart set later leaves the one it made unowned.
ChartWidget::ChartWidget(const Chart& chart, QWidget* parent)
    : QChartView(plainChart(), parent), model_(chart), xAxis_(new QValueAxis),
      yAxis_(new QValueAxis) {
    setRenderHint(QPainter::Antialiasing);
    xAxis_->setLabelFormat(QStringLiteral("%d"));
    xAxis_->setTickType(QValueAxis::TicksDynamic);
    xAxis_->setTickAnchor(1);
    yAxis_->setLabelFormat(QStringLiteral("%g"));
    yAxis_->setTickType(QValueAxis::TicksDynamic);
    this->chart()->addAxis(xAxis_, Qt::AlignBottom);
    this->chart()->addAxis(yAxis_, Qt::AlignLeft);
    useFont();
}

void ChartWidget::changeEvent(QEvent* event) {
    QChartView::changeEvent(event);
    if (event->type() == QEvent::FontChange) useFont();
}

// The chart draws its words itself: in the control's font, like every other control.
void ChartWidget::useFont() {
    for (QValueAxis* axis : {xAxis_, yAxis_}) {
        axis->setLabelsFont(font());
        axis->setTitleFont(font());
    }
    chart()->legend()->setFont(font());
}

void ChartWidget::sync() {
    if (xAxis_->titleText() != text(model_.xTitle)) xAxis_->setTitleText(text(model_.xTitle));
    if (yAxis_->titleText() != text(model_.yTitle)) yAxis_->setTitleText(text(model_.yTitle));
    const bool rescaled = yAxis_->min() != model_.yMinimum || yAxis_->max() != model_.yMaximum;
    if (rescaled) {
        yAxis_->setRange(model_.yMinimum, model_.yMaximum);
        yAxis_->setTickAnchor(model_.yMinimum);
        yAxis_->setTickInterval(roundStep(model_.yMaximum - model_.yMinimum, kMostYSteps));
    }
    if (rescaled || !built_ || model_.dataRevision() != seenDataRevision_) {
        built_ = true;
        seenDataRevision_ = model_.dataRevision();
        rebuild();
    }
    styleLines();
}

bool ChartWidget::crowded() const {
    return static_cast<double>(positions_) * kCrowdedSpacing > width();
}

void ChartWidget::style(const Line& line, bool crowded) {
    const bool dots = line.markers && !crowded;
    if (line.series->pointsVisible() != dots) line.series->setPointsVisible(dots);
    const QPen pen(line.colour, crowded ? 1 : kSeriesWidth);
    if (line.series->pen() != pen) line.series->setPen(pen);
}

void ChartWidget::styleLines() {
    // The widget may have grown or shrunk since the lines were made.
    const bool nowCrowded = crowded();
    for (const auto& line : lines_)
        style(line, nowCrowded);
}

void ChartWidget::rebuild() {
    chart()->removeAllSeries();
    lines_.clear();
    // The series hovered is gone, and never says the pointer left it: its value goes too.
    hoverText_.clear();
    positions_ = 1;
    for (const auto& s : model_.series())
        positions_ = std::max(positions_, s.values.size());
    // Half a position of room either side, so that the first and last values are not on edges.
    const double left = 0.5, right = static_cast<double>(positions_) + 0.5;
    xAxis_->setRange(left, right);
    xAxis_->setTickInterval(roundStep(static_cast<double>(positions_), kMostXTicks));
    addBands(left, right);
    addSeries();
}

void ChartWidget::addBands(double left, double right) {
    for (const auto& band : model_.bands()) {
        auto* lower = new QLineSeries;
        auto* upper = new QLineSeries;
        lower->replace(QList<QPointF>{{left, band.from}, {right, band.from}});
        upper->replace(QList<QPointF>{{left, band.to}, {right, band.to}});
        auto* area = new QAreaSeries(upper, lower);
        // An area does not own its edges: they go with it.
        upper->setParent(area);
        lower->setParent(area);
        area->setName(text(band.label));
        QColor colour = toQColor(band.color);
        colour.setAlpha(kBandAlpha);
        area->setBrush(colour);
        area->setPen(Qt::NoPen);
        chart()->addSeries(area);
        area->attachAxis(xAxis_);
        area->attachAxis(yAxis_);
        hideUnnamed(chart(), area);
        // The legend's swatch is the band's own colour, whole: seen through, a pale band's
        // swatch would look empty.
        for (QLegendMarker* marker : chart()->legend()->markers(area)) {
            marker->setBrush(toQColor(band.color));
            marker->setPen(QPen(toQColor(band.color).darker(140)));
        }
    }
}

void ChartWidget::addSeries() {
    for (const auto& s : model_.series()) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(s.values.size()));
        for (std::size_t i = 0; i < s.values.size(); ++i)
            if (std::isfinite(s.values[i]))
                points.append({static_cast<double>(i + 1),
                               withinScale(s.values[i], model_.yMinimum, model_.yMaximum)});
        auto* line = new QLineSeries;
        line->setName(text(s.name));
        line->setMarkerSize(kMarkerSize);
        lines_.push_back({line, toQColor(s.color), s.markers});
        style(lines_.back(), crowded());
        // Points come last: a series with its points lays them all out again on every step
        // that joins it to the chart or an axis.
        chart()->addSeries(line);
        line->attachAxis(xAxis_);
        line->attachAxis(yAxis_);
        hideUnnamed(chart(), line);
        line->replace(points);
        // The value itself on hover, beyond the scale or not.
        connect(line, &QXYSeries::hovered, this,
                [this, name = line->name(), values = s.values](QPointF at, bool entered) {
                    showValue(name, values, at, entered);
                });
    }
}

void ChartWidget::showValue(const QString& series, const std::vector<double>& values, QPointF at,
                            bool entered) {
    const auto position = static_cast<std::size_t>(std::lround(at.x()));
    if (!entered || position < 1 || position > values.size()) {
        hoverText_.clear();
        QToolTip::hideText();
        return;
    }
    // One decimal at most: enough to tell values apart, as the axis's own numbers are round.
    QString value = QString::number(values[position - 1], 'f', 1);
    if (value.endsWith(QLatin1String(".0"))) value.chop(2);
    hoverText_ =
        QStringLiteral("%1 %2, %3: %4").arg(xAxis_->titleText()).arg(position).arg(series, value);
    QToolTip::showText(QCursor::pos(), hoverText_, this);
}

bool ChartWidget::viewportEvent(QEvent* event) {
    // The scene answers a resting pointer's tool tip event by hiding every tip its items have
    // none of: the value under the pointer is shown again instead.
    if (event->type() == QEvent::ToolTip && !hoverText_.isEmpty()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), hoverText_, this);
        return true;
    }
    return QChartView::viewportEvent(event);
}

} // namespace ui::qt
