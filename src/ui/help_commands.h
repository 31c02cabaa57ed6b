// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The commands of the host's help viewer call, as the game sends them and the viewer takes them.
namespace ui::help {
inline constexpr std::int32_t kTopic = 1; // data: the topic number
inline constexpr std::int32_t kClose = 2;
inline constexpr std::int32_t kContents = 3;
} // namespace ui::help
