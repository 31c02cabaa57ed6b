// SPDX-License-Identifier: MIT
#include "picture.h"

#include <algorithm>
#include <stdexcept>

namespace ui {

Picture Picture::fromText(std::string name, const std::vector<std::string_view>& rows,
                          const std::vector<std::pair<char, Color>>& palette) {
    Picture p;
    p.name = std::move(name);
    p.height = static_cast<int>(rows.size());
    p.width = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    p.pixels.reserve(std::size_t(p.width) * p.height);
    for (auto row : rows) {
        if (static_cast<int>(row.size()) != p.width)
            throw std::invalid_argument("picture " + p.name + ": rows of different lengths");
        for (char ch : row) {
            auto hit = std::find_if(palette.begin(), palette.end(),
                                    [ch](const auto& entry) { return entry.first == ch; });
            p.pixels.push_back(hit == palette.end() ? 0u : opaque(hit->second));
        }
    }
    return p;
}

} // namespace ui
