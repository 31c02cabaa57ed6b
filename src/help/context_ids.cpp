// SPDX-License-Identifier: MIT
#include "context_ids.h"

#include "ui/help_commands.h"
#include "ui/paths.h"

void locateHelpFile(HelpFile& help, std::int32_t windowHandle) {
    help.window = windowHandle;
    help.runtime.helpFile = ui::pathInFolder(help.runtime.appPath(), "qr64.HLP");
}

void openHelpContents(const HelpFile& help) {
    help.runtime.host().winHelp(help.window, help.runtime.helpFile, ui::help::kContents, 0);
}

void closeHelp(const HelpFile& help) {
    help.runtime.host().winHelp(help.window, help.runtime.helpFile, ui::help::kClose, 0);
}

void openHelpTopic(const HelpFile& help, std::int32_t topic) {
    help.runtime.host().winHelp(help.window, help.runtime.helpFile, ui::help::kTopic, topic);
}
