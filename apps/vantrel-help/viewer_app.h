// SPDX-License-Identifier: MIT
#pragma once

#include "help_channel/help_protocol.h"

#include <QString>

namespace vantrel_help {

// Hands the command to the viewer already serving the help file in this session, or becomes
// that viewer and carries it out. Returns the process exit code.
int runViewer(const QString& helpFile, const ui::qt::help::Request& request);

} // namespace vantrel_help
