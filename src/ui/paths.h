// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace ui {

// The platform's folder separator.
inline constexpr char kPathSeparator = '/';

// A file in a folder. A folder that already ends with the separator (a root) gets none added,
// so the path never holds two separators in a row there. Blanks around the folder do not count
// when looking for the separator.
std::string pathInFolder(std::string_view folder, std::string_view file);

} // namespace ui
