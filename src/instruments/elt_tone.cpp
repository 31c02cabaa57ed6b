// SPDX-License-Identifier: MIT
#include "elt_tone.h"

#include "instruments/signal_strength.h"
#include "ui/controls.h"
#include "ui/paths.h"

std::string eltToneFile(const std::string& appPath) {
    return ui::pathInFolder(appPath, "elt1.wav");
}

void startEltTone(ui::MultimediaControl& player, const std::string& toneFile) {
    player.setFileName(toneFile);
    player.setCommand("Open");
}

void loopEltTone(ui::MultimediaControl& player, const std::string& toneFile, float strength) {
    player.loop(toneFile, receiverLoudness(strength));
}

void silenceEltTone(ui::MultimediaControl& player) {
    player.loop(player.loopFile(), 0);
}
