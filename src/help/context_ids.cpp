// SPDX-License-Identifier: MIT
#include "context_ids.h"

#include "game/game.h"
#include "help/explanation_panel.h"
#include "help/search_help_dialog.h"
#include "ui/paths.h"

void locateHelpFile(Game& game, std::int32_t windowHandle) {
    game.helpWindowHandle = windowHandle;
    game.runtime.helpFile = ui::pathInFolder(game.runtime.appPath(), "qr64.HLP");
}

void openHelpContents(Game& game) {
    game.runtime.host().winHelp(game.helpWindowHandle, game.runtime.helpFile, help::showContents,
                                0);
}

void closeHelp(Game& game) {
    game.runtime.host().winHelp(game.helpWindowHandle, game.runtime.helpFile, help::closeFile, 0);
}

void openHelpTopic(Game& game, std::int32_t topic) {
    game.runtime.host().winHelp(game.helpWindowHandle, game.runtime.helpFile, help::showTopic,
                                topic);
}

void helpCommand(Game& game) {
    hideExplanation(game);
    prepareSearchHelp(game);
    openHelpContents(game);
}
