// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <iterator>
#include <string_view>

namespace assets {

// A high-wing single seen from above: propeller, windscreen, flaps darker than the wing.
const ui::Picture& aircraftImage() {
    // clang-format off
    static constexpr std::string_view kRows[] = {
        "................................",
        "..........pppppppppppp..........",
        "..............KKKK..............",
        "..............KRRK..............",
        ".............KRRRRK.............",
        ".............KRccRK.............",
        ".............KRccRK.............",
        ".............KRccRK.............",
        ".............KRRRRK.............",
        ".KKKKKKKKKKKKKRRRRKKKKKKKKKKKKK.",
        "KhhhhhhhhhhhhhhhhhhhhhhhhhhhhhhK",
        "KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK",
        "KRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRK",
        "KrrrrrrrrrrRRRRRRRRRRrrrrrrrrrrK",
        ".KKKKKKKKKKKKKRRRRKKKKKKKKKKKKK.",
        ".............KRRRRK.............",
        ".............KRRRRK.............",
        ".............KRRRRK.............",
        "..............KRRK..............",
        "..............KRRK..............",
        "..............KRRK..............",
        "..............KRRK..............",
        "..............KRRK..............",
        "..............KRRK..............",
        "..............KRRK..............",
        "..............KRRK..............",
        "...........KKKKRRKKKK...........",
        "........KKKhhhhKKhhhhKKK........",
        "........KRRRRRRKKRRRRRRK........",
        "........KrrrrrrKKrrrrrrK........",
        "..........KKKKKKKKKKKK..........",
        "................................",
    };
    // clang-format on
    static const ui::Picture picture =
        ui::Picture::fromText("Image1", {std::begin(kRows), std::end(kRows)},
                              {
                                  {'R', {255, 69, 0}},   // orange-red paint
                                  {'h', {255, 150, 90}}, // sunlit leading edges
                                  {'r', {208, 48, 0}},   // flaps and elevators
                                  {'K', {128, 24, 0}},   // outline
                                  {'c', {64, 96, 160}},  // windscreen
                                  {'p', {80, 80, 80}},   // propeller
                              });
    return picture;
}

} // namespace assets
