// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <iterator>
#include <string_view>

namespace assets {

// A hazard-striped beacon box with its whip antenna sending waves both ways. The background is
// white, not transparent, because the window icon is taken from it as is.
const ui::Picture& transmitterImage() {
    // clang-format off
    static constexpr std::string_view kRows[] = {
        "................................",
        ".......N................N.......",
        ".......N..N...KKKK...N..N.......",
        "......N...N...KKKK...N...N......",
        "......N..N...N.KK.N...N..N......",
        "......N..N..N..KK..N..N..N......",
        "......N..N..N..KK..N..N..N......",
        "......N..N..N..KK..N..N..N......",
        "......N..N..N..KK..N..N..N......",
        "......N..N...N.KK.N...N..N......",
        "......N...N....KK....N...N......",
        ".......N..N....KK....N..N.......",
        ".......N.......KK.......N.......",
        "...............KK...............",
        "...............KK...............",
        "...............KK...............",
        "...............KK...............",
        "...............KK...............",
        ".............KKKKKK.............",
        ".....KKKKKKKKKKKKKKKKKKKKKK.....",
        ".....KRYYYYRRYYYYRRYYYYRRYK.....",
        ".....KYYYYRRYYYYRRYYYYRRYYK.....",
        ".....KYYYRRYYYYRRYYYYRRYYYK.....",
        ".....KYYRRYYYYRRYYYYRRYYYYK.....",
        ".....KYRRYYYYRRYYYYRRYYYYRK.....",
        ".....KRRYYYYRRYYYYRRYYYYRRK.....",
        ".....KRYYYYRRYYYYRRYYYYRRYK.....",
        ".....KYYYYRRYYYYRRYYYYRRYYK.....",
        ".....KYYYRRYYYYRRYYYYRRYYYK.....",
        ".....KYYRRYYYYRRYYYYRRYYYYK.....",
        ".....KKKKKKKKKKKKKKKKKKKKKK.....",
        "................................",
    };
    // clang-format on
    static const ui::Picture picture =
        ui::Picture::fromText("imgELT", {std::begin(kRows), std::end(kRows)},
                              {{'.', ui::colors::white},
                               {'K', ui::colors::black},
                               {'Y', {255, 255, 0}},
                               {'R', ui::colors::red},
                               {'N', ui::colors::navy}});
    return picture;
}

} // namespace assets
