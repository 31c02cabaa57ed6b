// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <iterator>
#include <string_view>

namespace assets {

// Three crossing runways, drawn in two mirror-image layouts side by side.
const ui::SpriteStrip& airportStrip() {
    // clang-format off
    static constexpr std::string_view kRows[] = {
        "K...KK....................KK...K",
        "KK..KK....................KK..KK",
        ".KK.KK....................KK.KK.",
        "..KKKK....................KKKK..",
        "...KKK....................KKK...",
        "....KK....................KK....",
        "....KKK..................KKK....",
        "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
        "KKKKKKKKKKKKKKKKKKKKKKKKKKKKKKKK",
        "....KK..KK............KK..KK....",
        "....KK...KK..........KK...KK....",
        "....KK....KK........KK....KK....",
        "....KK.....KK......KK.....KK....",
        "....KK......KK....KK......KK....",
        "....KK.......KK..KK.......KK....",
        "....KK........KKKK........KK....",
    };
    // clang-format on
    static const ui::SpriteStrip strip(
        "clpAirport",
        ui::Picture::fromText("clpAirport", {std::begin(kRows), std::end(kRows)},
                              {{'.', ui::colors::white}, {'K', ui::colors::black}}),
        1, 2);
    return strip;
}

} // namespace assets
