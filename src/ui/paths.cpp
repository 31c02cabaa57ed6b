// SPDX-License-Identifier: MIT
#include "paths.h"

namespace ui {

std::string pathInFolder(std::string_view folder, std::string_view file) {
    auto trimmed = folder;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
        trimmed.remove_suffix(1);
    std::string path(folder);
    if (trimmed.empty() || trimmed.back() != kPathSeparator) path += kPathSeparator;
    return path + std::string(file);
}

} // namespace ui
