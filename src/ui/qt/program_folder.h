// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <QString>
#include <string>

namespace ui::qt {

// The folder that holds the running executable, as the platform's own bytes (links
// followed), whatever characters its name holds. Empty only when it cannot be found at all.
std::string executableFolder();

// A path in the platform's bytes as Qt names files, when Qt's name leads back to the same
// bytes. A name that is not valid UTF-8 has no such Qt name.
std::optional<QString> qtFileName(const std::string& path);

} // namespace ui::qt
