// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace assets {

namespace {

using Grid = std::vector<std::string>;

// Cells are square with an odd side, so a quarter turn keeps the aircraft on the centre pixel.
Grid turnClockwise(const Grid& cell) {
    const std::size_t n = cell.size();
    Grid out(n, std::string(n, '.'));
    for (std::size_t y = 0; y < n; ++y)
        for (std::size_t x = 0; x < n; ++x)
            out[y][x] = cell[n - 1 - x][y];
    return out;
}

ui::SpriteStrip buildStrip() {
    // Only the two headings that differ in shape are drawn; the other six are these turned, so
    // all eight stay alike. The north-east one is symmetric about its own diagonal.
    // clang-format off
    const Grid north = {
        "....R....",
        "....R....",
        "...RRR...",
        ".RRRRRRR.",
        "RRRRRRRRR",
        "....R....",
        "....R....",
        "...RRR...",
        "..RRRRR..",
    };
    const Grid northEast = {
        ".........",
        ".R.....R.",
        "..RR.RR..",
        "...RRRR..",
        "...RRR...",
        "...RRRR..",
        "RRR...R..",
        ".RR....R.",
        "..R......",
    };
    // clang-format on
    std::vector<Grid> cells = {north, northEast};
    while (cells.size() < 8)
        cells.push_back(turnClockwise(cells[cells.size() - 2]));

    Grid rows(north.size());
    for (const Grid& cell : cells)
        for (std::size_t y = 0; y < rows.size(); ++y)
            rows[y] += cell[y];
    const std::vector<std::string_view> text(rows.begin(), rows.end());
    auto picture =
        ui::Picture::fromText("clpAC", text, {{'.', ui::colors::white}, {'R', ui::colors::red}});
    return ui::SpriteStrip("clpAC", std::move(picture), 1, int(cells.size()));
}

} // namespace

const ui::SpriteStrip& aircraftStrip() {
    static const ui::SpriteStrip strip = buildStrip();
    return strip;
}

} // namespace assets
