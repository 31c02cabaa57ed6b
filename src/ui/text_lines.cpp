// SPDX-License-Identifier: MIT
#include "text_lines.h"

namespace ui {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (;;) {
        const auto lf = text.find('\n', start);
        auto line = text.substr(start, lf == std::string_view::npos ? lf : lf - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos) break;
        start = lf + 1;
    }
    return lines;
}

} // namespace ui
