// SPDX-License-Identifier: MIT
// The main window as designed: its menus and tab order. Each control's place and caption, and
// access letters that differ within each menu, are the scenario main_window_layout; its
// container, looks and starting states main_window_states; its colours the zoom test.
#include "game/main_window.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"

#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct MainWindowLayout : ::testing::Test {
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    std::unique_ptr<MainWindow> w = buildMainWindow(runtime);
};

TEST_F(MainWindowLayout, menusTabOrderAndFirstStatesFollowTheDesign) {
    // Written as name(items), "-" for a separator; the captions are in the scenario.
    std::string menu;
    std::function<void(const std::vector<ui::MenuItem>&)> list =
        [&](const std::vector<ui::MenuItem>& items) {
            for (const auto& item : items) {
                menu += " " + (item.isSeparator() ? "-" : item.name);
                if (!item.items.empty()) {
                    menu += "(";
                    list(item.items);
                    menu += ")";
                }
            }
        };
    for (const auto& m : w->menus) {
        menu += " " + m.name + " " + m.caption + "(";
        list(m.items);
        menu += ")";
    }
    EXPECT_EQ(menu,
              " mnuGame &Game( mnuNewGame mnuHint mnuReveal - mnuDebrief mnuLogbook mnuSquadron"
              " mnuExercises mnuClass -"
              " mnuAudio( mnuAudioOff mnuAudioClassic mnuAudioContinuous) - mnuExit)"
              " mnuView &View( mnuZoomIn mnuZoomOut - mnuZoom100 mnuZoom150 mnuZoom200"
              " mnuZoom300 - mnuZoomFit) mnuHelp &Help( mnuContents mnuSearchHelp mnuAbout)");

    std::vector<std::string> tabs;
    for (auto* c : w->tabOrder)
        tabs.push_back(c->qualifiedName());
    const std::vector<std::string> order{"cmdExit",      "cmdStart",     "cmdHelp",     "cmdReveal",
                                         "chkBearing",   "optSpeed(0)",  "optSpeed(1)", "cmdHint",
                                         "optDFMode(0)", "optDFMode(1)", "Pic1"};
    EXPECT_EQ(tabs, order);
    // Before start-up lays out a search: the speed it is flown at, and nothing to reveal yet.
    EXPECT_TRUE(w->optSpeed[0]->value());
    EXPECT_FALSE(w->cmdReveal->enabled());
}

} // namespace
