// SPDX-License-Identifier: MIT
// The Receiver Audio choice is kept between runs: the next run starts with it, from its very
// first search, and a saved value it does not know leaves the default, Classic.
#include "game/audio_menu.h"
#include "game/game.h"
#include "ui/headless/headless_host.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace {

// A host with a store of settings, as the player's machine keeps them.
struct SettingsHost : ui::headless::HeadlessHost {
    using HeadlessHost::HeadlessHost;
    std::map<std::string, std::string> saved;
    std::optional<std::string> setting(const std::string& key) override {
        const auto it = saved.find(key);
        if (it == saved.end()) return std::nullopt;
        return it->second;
    }
    void saveSetting(const std::string& key, const std::string& value) override {
        saved[key] = value;
    }
};

TEST(ReceiverAudioSetting, theNextRunStartsWithTheChoiceFromItsFirstSearch) {
    // The ELT lies on the airport, so the first search already hears it at full strength.
    const struct {
        const char* saved;
        const char* checked;    // the menu item marked
        const char* transcript; // what the first search sounds
    } cases[] = {
        {"off", "mnuAudioOff", ""},
        {"classic", "mnuAudioClassic",
         "mci FileName=\"/opt/vantrel/elt1.wav\"\nmci Command=\"Open\"\n"},
        {"continuous", "mnuAudioContinuous", "receiver volume=1\n"},
        {"Continuous", "mnuAudioClassic",
         "mci FileName=\"/opt/vantrel/elt1.wav\"\nmci Command=\"Open\"\n"},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        SettingsHost host(out);
        host.saved["receiver/audio"] = c.saved;
        for (float r : {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f})
            host.queueRandom(r);
        ui::Runtime runtime(host);
        Game game(runtime);
        game.start();
        EXPECT_EQ(out.str(), c.transcript) << c.saved;
        for (const char* item : {"mnuAudioOff", "mnuAudioClassic", "mnuAudioContinuous"})
            EXPECT_EQ(game.main->findMenuItem(item)->checked, item == std::string(c.checked))
                << c.saved << " " << item;
    }
}

TEST(ReceiverAudioSetting, choosingKeepsTheChoiceForTheNextRun) {
    std::ostringstream out;
    SettingsHost host(out);
    ui::Runtime runtime(host);
    Game game(runtime);
    game.start();
    for (const auto& [item, value] : {std::pair{"mnuAudioContinuous", "continuous"},
                                      {"mnuAudioOff", "off"},
                                      {"mnuAudioClassic", "classic"}}) {
        runtime.menu(*game.main->findMenuItem(item));
        EXPECT_EQ(host.saved["receiver/audio"], value) << item;
    }
}

} // namespace
