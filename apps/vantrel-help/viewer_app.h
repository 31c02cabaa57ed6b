#pragma once

#include <cstdint>
#include <QString>

namespace vantrel_help {

// Hands the command to the viewer already serving the help file, or becomes that viewer and
// carries it out. Returns the process exit code.
int runViewer(const QString& helpFile, std::int32_t command, std::int32_t data);

} // namespace vantrel_help
