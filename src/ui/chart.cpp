// SPDX-License-Identifier: MIT
#include "chart.h"

namespace ui {

void Chart::setData(std::vector<ChartBand> bands, std::vector<ChartSeries> series) {
    bands_ = std::move(bands);
    series_ = std::move(series);
    ++dataRevision_;
    changed();
}

} // namespace ui
