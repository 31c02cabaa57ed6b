// SPDX-License-Identifier: MIT
#pragma once

#include "color.h"
#include "control.h"

#include <string>
#include <vector>

namespace ui {

// A band across the whole width of a chart, from one value to another, drawn behind the series.
struct ChartBand {
    double from = 0, to = 0;
    Color color;
    std::string label;
};

// A line through one value per position 1, 2, 3 ... along the horizontal axis.
struct ChartSeries {
    std::string name;
    std::vector<double> values;
    Color color;
    bool markers = false; // a dot on every value, not only the line
};

// A line chart: the values of one or more series over their positions, in front of bands.
class Chart : public Control {
public:
    Chart(Form& f, Container& c, Control* p, std::string name, int index = -1)
        : Control(f, c, p, ControlKind::Chart, std::move(name), index) {}

    std::string xTitle, yTitle;
    double yMinimum = 0, yMaximum = 100;

    const std::vector<ChartBand>& bands() const { return bands_; }
    const std::vector<ChartSeries>& series() const { return series_; }
    // Replaces what the chart shows; `dataRevision` tells a view when to read it again.
    void setData(std::vector<ChartBand> bands, std::vector<ChartSeries> series);
    std::uint64_t dataRevision() const { return dataRevision_; }

private:
    std::vector<ChartBand> bands_;
    std::vector<ChartSeries> series_;
    std::uint64_t dataRevision_ = 0;
};

} // namespace ui
