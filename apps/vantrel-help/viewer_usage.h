// SPDX-License-Identifier: MIT
// What `vantrel-help --help` says.
#pragma once

#include "command_line.h"

namespace vantrel_help {

inline constexpr command_line::Program kViewerProgram{
    "vantrel-help",
    "usage: vantrel-help HELPFILE COMMAND DATA [GAME [X Y WIDTH HEIGHT [ZOOM]]]\n"
    "       vantrel-help --help | --version\n"
    "Shows a Vantrel help file. The game starts it; it also shows the game's instructions on\n"
    "their own, for example: vantrel-help /usr/lib/vantrel/qr64.HLP 3 0\n"
    "\n"
    "  COMMAND 3: contents, 1: topic DATA, 2: close\n"
    "  GAME      the process id of the game asking, and its window on screen (a width\n"
    "            and height of 0 when it has none), and the game's zoom in percent\n"
    "  -h, --help  show this help and exit\n"
    "  --version   show the version and exit\n",
    9};

} // namespace vantrel_help
