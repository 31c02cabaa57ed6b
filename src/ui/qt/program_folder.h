// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <QString>
#include <string>

namespace ui::qt {

// The folder that holds the running executable, as the game holds paths (links followed),
// whatever characters its name holds. Empty only when it cannot be found at all.
std::string executableFolder();

// A file name Qt holds, as the game holds paths: the system's own bytes on Linux, UTF-8 on
// Windows, where files are named in UTF-16 and the game hands its paths over in that form.
std::string gamePath(const QString& name);

// A path as the game holds it, as Qt names the file, when Qt's name leads back to the same
// path. A name that is not valid UTF-8 has no such Qt name.
std::optional<QString> qtFileName(const std::string& path);

// The help viewer's file name, beside the game's.
QString helpViewerIn(const std::string& programFolder);

} // namespace ui::qt
