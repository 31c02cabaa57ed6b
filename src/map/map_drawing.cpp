// SPDX-License-Identifier: MIT
#include "map_drawing.h"

#include "game/game.h"
#include "model/format_by_pattern.h"
#include "ui/numbers.h"

#include <cmath>
#include <numbers>

void drawMap(Game& game) {
    drawScaleBar(game);
    drawAirport(game, 1);
    drawVorRose(game);
}

void drawScaleBar(Game& game) {
    MainWindow& w = *game.main;
    const auto scale = game.search.mapScale;
    const auto map = static_cast<float>(w.Pic1->scaleWidth());
    const std::int16_t miles = ui::toInt16(std::floor(map / float(scale) / 5.0f));
    ui::LineControl& bar = *w.LineDS;
    bar.setX1(2);
    bar.setX2(scale * miles + bar.x1());
    bar.setY1(w.Pic1->scaleHeight() - 2);
    bar.setY2(bar.y1());

    ui::Label& legend = *w.lblDS1;
    const float length = (bar.x2() - bar.x1()) / float(scale);
    legend.setCaption(formatByPattern(length, "##.#") + " nm");
    legend.setLeft((bar.x2() - bar.x1()) / 2 + bar.x1() - legend.width() / 2);
    legend.setTop(bar.y1() - legend.height() - 2);
}

void drawAirport(Game& game, std::int16_t cell) {
    MainWindow& w = *game.main;
    const SearchState& s = game.search;
    ui::Image& holder = *w.imgAirport;
    holder.setVisible(false);
    holder.setPicture(w.clpAirport.cell(cell));
    w.Pic1->paintPicture(holder.picture(), s.airportX - holder.width() / 2,
                         s.airportY - holder.height() / 2);
}

void drawVorRose(Game& game) {
    MainWindow& w = *game.main;
    const SearchState& s = game.search;
    ui::PictureBox& map = *w.Pic1;
    const auto r = static_cast<std::int16_t>(10 * s.mapScale);

    ui::Image& vor = *w.imgVOR;
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
