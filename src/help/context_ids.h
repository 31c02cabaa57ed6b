// SPDX-License-Identifier: MIT
#pragma once

#include "ui/runtime.h"

#include <cstdint>

// The help file the game opens, and the window its calls to the viewer come from.
struct HelpFile {
    ui::Runtime& runtime;
    std::int32_t window = 0;
};

// At start-up: keeps the main window's handle and fixes the help file's path beside the program.
void locateHelpFile(HelpFile& help, std::int32_t windowHandle);

void openHelpContents(const HelpFile& help);
void closeHelp(const HelpFile& help);
// F1: the help file at a topic.
void openHelpTopic(const HelpFile& help, std::int32_t topic);
