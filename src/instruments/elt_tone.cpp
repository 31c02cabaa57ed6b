// SPDX-License-Identifier: MIT
#include "elt_tone.h"

#include "game/game.h"
#include "ui/paths.h"

void startEltTone(Game& game) {
    ui::MultimediaControl& player = *game.main->MMctrl;
    player.setFileName(ui::pathInFolder(game.runtime.appPath(), "elt1.wav"));
    player.setCommand("Open");
}
