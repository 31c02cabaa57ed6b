// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <iterator>
#include <string_view>

namespace assets {

// The chart symbol: a square with its corners cut across, and the beacon as a dot in the middle.
const ui::Picture& vorImage() {
    // clang-format off
    static constexpr std::string_view kRows[] = {
        "................",
        ".NNNNNNNNNNNNNN.",
        ".N...N....N...N.",
        ".N..N......N..N.",
        ".N.N........N.N.",
        ".NN..........NN.",
        ".N............N.",
        ".N.....NN.....N.",
        ".N.....NN.....N.",
        ".N............N.",
        ".NN..........NN.",
        ".N.N........N.N.",
        ".N..N......N..N.",
        ".N...N....N...N.",
        ".NNNNNNNNNNNNNN.",
        "................",
    };
    // clang-format on
    static const ui::Picture picture =
        ui::Picture::fromText("imgVOR", {std::begin(kRows), std::end(kRows)},
                              {{'.', ui::colors::white}, {'N', ui::colors::navy}});
    return picture;
}

} // namespace assets
