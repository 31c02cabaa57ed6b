// SPDX-License-Identifier: MIT
// The Receiver Audio choice is kept between runs: the next run starts with it, from its very
// first search, and a saved value it does not know leaves the default, Classic.
#include "game/audio_menu.h"
#include "game/game.h"
#include "support/fake_host.h"
#include "ui/headless/headless_host.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {

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
        FakeHost host(out);
        host.settings["receiver/audio"] = c.saved;
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
    FakeHost host(out);
    ui::Runtime runtime(host);
    Game game(runtime);
    game.start();
    for (const auto& [item, value] : {std::pair{"mnuAudioContinuous", "continuous"},
                                      {"mnuAudioOff", "off"},
                                      {"mnuAudioClassic", "classic"}}) {
        runtime.menu(*game.main->findMenuItem(item));
        EXPECT_EQ(host.settings["receiver/audio"], value) << item;
    }
}

} // namespace
