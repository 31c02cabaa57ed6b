// SPDX-License-Identifier: MIT
#include "pictures.h"

#include <cstddef>
#include <iterator>
#include <string_view>

namespace assets {

namespace {

// Lit from the top-left like the other buttons: white and pale edges facing the light, two
// greys facing away, button-face grey inside.
template <std::size_t N>
ui::Picture bevelled(const char* name, const std::string_view (&rows)[N]) {
    return ui::Picture::fromText(name, {std::begin(rows), std::end(rows)},
                                 {{'W', ui::colors::white},
                                  {'w', {224, 224, 224}},
                                  {'o', ui::colors::lightGrey},
                                  {'g', ui::colors::grey},
                                  {'d', ui::colors::darkGrey}});
}

} // namespace

const ui::Picture& arrowUp() {
    // clang-format off
    static constexpr std::string_view kRows[] = {
        ".......................",
        "...........W...........",
        "...........W...........",
        "..........Wwd..........",
        "..........Wwd..........",
        ".........Wwogd.........",
        ".........Wwogd.........",
        "........Wwooogd........",
        "........Wwooogd........",
        ".......Wwooooogd.......",
        ".......Wwooooogd.......",
        "......Wwooooooogd......",
        "......Wwooooooogd......",
        ".....Wwooooooooogd.....",
        ".....Wwooooooooogd.....",
        "....Wwooooooooooogd....",
        "....Wwooooooooooogd....",
        "...Wwooooooooooooogd...",
        "...Wwooooooooooooogd...",
        "..Wwooooooooooooooogd..",
        "..Wwooooooooooooooogd..",
        ".Wwooooooooooooooooogd.",
        ".Wwggggggggggggggggggd.",
        ".ddddddddddddddddddddd.",
        ".......................",
    };
    // clang-format on
    static const ui::Picture picture = bevelled("cmdUp", kRows);
    return picture;
}

// The up arrow turned a quarter to the left; its upper slope now takes the light.
const ui::Picture& arrowLeft() {
    // clang-format off
    static constexpr std::string_view kRows[] = {
        ".......................",
        ".......................",
        "....................WWd",
        "..................WWwgd",
        "................WWwwogd",
        "..............WWwwooogd",
        "............WWwwooooogd",
        "..........WWwwooooooogd",
        "........WWwwooooooooogd",
        "......WWwwooooooooooogd",
        "....WWwwooooooooooooogd",
        "..WWwwooooooooooooooogd",
        "WWwwooooooooooooooooogd",
        "..ddggooooooooooooooogd",
        "....ddggooooooooooooogd",
        "......ddggooooooooooogd",
        "........ddggooooooooogd",
        "..........ddggooooooogd",
        "............ddggooooogd",
        "..............ddggooogd",
        "................ddggogd",
        "..................ddggd",
        "....................ddd",
        ".......................",
        ".......................",
    };
    // clang-format on
    static const ui::Picture picture = bevelled("cmdLeft", kRows);
    return picture;
}

// The left arrow mirrored, with the shading swapped so the light still comes from the top-left.
const ui::Picture& arrowRight() {
    // clang-format off
    static constexpr std::string_view kRows[] = {
        ".......................",
        ".......................",
        "WWW....................",
        "WwwWW..................",
        "WwowwWW................",
        "WwooowwWW..............",
        "WwooooowwWW............",
        "WwooooooowwWW..........",
        "WwooooooooowwWW........",
        "WwooooooooooowwWW......",
        "WwooooooooooooowwWW....",
        "WwooooooooooooooowwWW..",
        "Wwoooooooooooooooooggdd",
        "Wwoooooooooooooooggdd..",
        "Wwoooooooooooooggdd....",
        "Wwoooooooooooggdd......",
        "Wwoooooooooggdd........",
        "Wwoooooooggdd..........",
        "Wwoooooggdd............",
        "Wwoooggdd..............",
        "Wwoggdd................",
        "Wggdd..................",
        "ddd....................",
        ".......................",
        ".......................",
    };
    // clang-format on
    static const ui::Picture picture = bevelled("cmdRight", kRows);
    return picture;
}

} // namespace assets
