// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {

// A menu entry; an ampersand in the caption marks its access key, a caption of "-" a separator.
struct MenuItem {
    std::string name;
    std::string caption;
    std::function<void()> onClick;

    bool isSeparator() const { return caption == "-"; }
};

struct Menu {
    std::string name;
    std::string caption;
    std::vector<MenuItem> items;
};

} // namespace ui
