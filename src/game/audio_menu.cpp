// SPDX-License-Identifier: MIT
#include "audio_menu.h"

#include "game/game.h"
#include "instruments/df_unit.h"

#include <array>
#include <string>

namespace {

struct AudioItem {
    ReceiverAudio audio;
    const char* menuItem;
    const char* setting;
};

constexpr std::array<AudioItem, 3> audioItems{{
    {ReceiverAudio::Off, "mnuAudioOff", "off"},
    {ReceiverAudio::Classic, "mnuAudioClassic", "classic"},
    {ReceiverAudio::Continuous, "mnuAudioContinuous", "continuous"},
}};

constexpr const char* kSettingKey = "receiver/audio";

void markChoice(Game& game) {
    for (const AudioItem& item : audioItems)
        game.main->setMenuChecked(item.menuItem, item.audio == game.receiverAudio);
}

} // namespace

void chooseReceiverAudio(Game& game, ReceiverAudio audio) {
    game.receiverAudio = audio;
    for (const AudioItem& item : audioItems)
        if (item.audio == audio) game.runtime.host().saveSetting(kSettingKey, item.setting);
    markChoice(game);
    // Switched on while the ELT is heard, the tone starts at the loudness of the signal now.
    if (audio == ReceiverAudio::Continuous)
        soundReceiver(*game.main->MMctrl, game.runtime.appPath(), audio,
                      eltSignalStrength(game.search), false);
    else
        silenceReceiver(game);
}

void restoreReceiverAudio(Game& game) {
    if (const auto saved = game.runtime.host().setting(kSettingKey))
        for (const AudioItem& item : audioItems)
            if (*saved == item.setting) game.receiverAudio = item.audio;
    markChoice(game);
}

void silenceReceiver(Game& game) {
    if (MainWindow* w = game.main.existing()) silenceEltTone(*w->MMctrl);
}

void connectAudioMenu(Game& game, MainWindow& w) {
    for (const AudioItem& item : audioItems)
        w.findMenuItem(item.menuItem)->onClick = [&game, audio = item.audio] {
            chooseReceiverAudio(game, audio);
        };
}
