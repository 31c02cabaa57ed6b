// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

// A menu entry; an ampersand in the caption marks its access key, a caption of "-" a separator.
// An entry with items of its own opens a submenu. The checkable entries of one menu are one
// choice: the one in force carries the mark.
struct MenuItem {
    std::string name;
    std::string caption;
    std::function<void()> onClick;
    std::vector<MenuItem> items;
    // Keys that choose the entry from anywhere in its window ("Ctrl+0"); the first is shown.
    std::vector<std::string> shortcuts;
    // Its keys choose it from every window of the program, not only its own.
    bool everyWindow = false;
    bool checkable = false;
    bool checked = false;
    bool enabled = true;
    // A hidden entry is left out of its menu and cannot be chosen.
    bool visible = true;

    bool isSeparator() const { return caption == "-"; }
};

inline MenuItem menuCommand(std::string name, std::string caption,
                            std::vector<std::string> shortcuts = {}) {
    MenuItem item;
    item.name = std::move(name);
    item.caption = std::move(caption);
    item.shortcuts = std::move(shortcuts);
    return item;
}

inline MenuItem menuChoice(std::string name, std::string caption,
                           std::vector<std::string> shortcuts = {}) {
    MenuItem item = menuCommand(std::move(name), std::move(caption), std::move(shortcuts));
    item.checkable = true;
    return item;
}

inline MenuItem submenu(std::string name, std::string caption, std::vector<MenuItem> items) {
    MenuItem item = menuCommand(std::move(name), std::move(caption));
    item.items = std::move(items);
    return item;
}

inline MenuItem menuSeparator() {
    return menuCommand({}, "-");
}

struct Menu {
    std::string name;
    std::string caption;
    std::vector<MenuItem> items;
};

} // namespace ui
