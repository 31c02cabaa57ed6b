// SPDX-License-Identifier: MIT
#include "map_drawing.h"

#include "model/format_by_pattern.h"
#include "ui/numbers.h"

#include <cmath>
#include <numbers>

void drawMap(const MapSheet& sheet, const MapFeatures& features) {
    drawScaleBar(sheet, features.mapScale);
    drawAirport(sheet, features, 1);
    drawVorRose(sheet, features);
}

void drawScaleBar(const MapSheet& sheet, std::int16_t scale) {
    const auto map = static_cast<float>(sheet.map.scaleWidth());
    const std::int16_t miles = ui::toInt16(std::floor(map / float(scale) / 5.0f));
    ui::LineControl& bar = sheet.scaleBar;
    bar.setX1(2);
    bar.setX2(scale * miles + bar.x1());
    bar.setY1(sheet.map.scaleHeight() - 2);
    bar.setY2(bar.y1());

    ui::Label& legend = sheet.scaleLegend;
    const float length = (bar.x2() - bar.x1()) / float(scale);
    legend.setCaption(formatByPattern(length, "##.#") + " nm");
    legend.setLeft((bar.x2() - bar.x1()) / 2 + bar.x1() - legend.width() / 2);
    legend.setTop(bar.y1() - legend.height() - 2);
}

void drawAirport(const MapSheet& sheet, const MapFeatures& s, std::int16_t cell) {
    ui::Image& holder = sheet.airport;
    holder.setVisible(false);
    holder.setPicture(sheet.airportStrip.cell(cell));
    sheet.map.paintPicture(holder.picture(), s.airportX - holder.width() / 2,
                           s.airportY - holder.height() / 2);
}

void drawVorRose(const MapSheet& sheet, const MapFeatures& s) {
    ui::PictureBox& map = sheet.map;
    const auto r = static_cast<std::int16_t>(10 * s.mapScale);

    ui::Image& vor = sheet.vor;
    vor.setVisible(true);
    vor.setTop(s.vorY - vor.height() / 2);
    vor.setLeft(s.vorX - vor.width() / 2);

    map.circle(s.vorX, s.vorY, r, ui::colors::navy);
    // The angle counts from straight down, so a = 0 is the tick below the VOR.
    for (int a = 0; a < 360; a += 30) {
        const double sinA = std::sin(a * std::numbers::pi / 180);
        const double cosA = std::cos(a * std::numbers::pi / 180);
        auto at = [](double v) { return static_cast<float>(v); };
        map.line(at(s.vorX + 0.95 * r * sinA), at(s.vorY + 0.95 * r * cosA),
                 at(s.vorX + 1.05 * r * sinA), at(s.vorY + 1.05 * r * cosA), ui::colors::navy);
    }

    map.setForeColor(ui::colors::navy);
    auto label = [&map](const char* text, double x, double y) {
        map.currentX = x;
        map.currentY = y;
        map.print(text);
    };
    const double out = 1.05 * r;
    label("090", s.vorX + out, s.vorY - map.textHeight("090") / 2);
    label("270", s.vorX - out - map.textWidth("270"), s.vorY - map.textHeight("270") / 2);
    label("0", s.vorX - map.textWidth("0") / 2, s.vorY - out - map.textHeight("0"));
    label("180", s.vorX - map.textWidth("180") / 2, s.vorY + out);
}
