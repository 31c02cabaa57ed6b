// SPDX-License-Identifier: MIT
// The main window as designed: its size, containers, starting states, menus and tab order.
// Each control's place and caption are printed by the scenario main_window_layout, its colours
// probed on the real window by the zoom test.
#include "game/main_window.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace {

struct MainWindowLayout : ::testing::Test {
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    std::unique_ptr<MainWindow> w = buildMainWindow(runtime);
};

TEST_F(MainWindowLayout, windowLooksAndStartingStatesAreAsDesigned) {
    EXPECT_EQ(w->caption(), "Vantrel");
    EXPECT_EQ(w->clientWidth(), 7680);
    EXPECT_EQ(w->clientHeight(), 6390);
    EXPECT_EQ(w->icon.width, 32);
    // The DF readouts wait for a bearing, Reveal for a search; the map's symbols are placed first.
    const std::set<std::string> hidden{"lblBearing", "lblDFdist", "lblDunits", "imgAC",
                                       "imgAirport", "imgVOR",    "imgELT",    "MMctrl"};
    for (const auto& c : w->controls()) {
        if (c->kind() == ui::ControlKind::Line) continue;
        EXPECT_EQ(c->visible(), !hidden.count(c->name())) << c->qualifiedName();
        EXPECT_EQ(c->enabled(), c.get() != w->cmdReveal) << c->qualifiedName();
    }
    // The controls each container holds, in the order they were placed.
    std::map<std::string, std::string> held;
    for (const auto& c : w->controls())
        held[c->parent() ? c->parent()->name() : ""] += " " + c->qualifiedName();
    const std::map<std::string, std::string> designed{
        {"",
         " Pic1 frmControls frmDF frmVOR cmdStart cmdHint cmdReveal cmdHelp cmdExit Timer1 MMctrl"},
        {"Pic1", " imgAC imgAirport imgVOR imgELT LineDS lblDS1"},
        {"PicDf", " LineDF"},
        {"frmControls", " cmdUp cmdLeft Image1 cmdRight picCompass Label5 optSpeed(0) optSpeed(1)"
                        " Label2 lblACdist Label4"},
        {"frmDF",
         " Signal1 PicDf optDFMode(0) optDFMode(1) lblBearing lblDFdist lblDunits chkBearing"},
        {"frmVOR", " Label3 lblVOR Label1 lblDME"},
        {"picCompass", " lblHeading"}};
    EXPECT_EQ(held, designed);
    EXPECT_EQ(w->cmdStart->tag(), "N");
    EXPECT_TRUE(w->optSpeed[0]->value());
    EXPECT_FALSE(w->optSpeed[1]->value());
    EXPECT_TRUE(w->optDFMode[0]->value());
    EXPECT_EQ(w->chkBearing->value(), 0);
    EXPECT_EQ(w->Timer1->interval(), 1000);
    EXPECT_EQ(w->MMctrl->deviceType, "WaveAudio");
    EXPECT_EQ(w->MMctrl->fileName(), "");
    EXPECT_EQ(w->lblDME->alignment(), ui::Alignment::Right);
    EXPECT_TRUE(w->lblHeading->font().bold);
    EXPECT_DOUBLE_EQ(w->lblHeading->font().points, 14.25);
    EXPECT_EQ(w->LineDF->color(), ui::colors::darkRed);
    EXPECT_EQ(w->LineDF->penWidth(), 5);
    EXPECT_FLOAT_EQ(w->LineDF->x1(), 630);
    EXPECT_FLOAT_EQ(w->LineDF->y2(), 330);
    EXPECT_EQ(w->LineDS->penWidth(), 2);
    EXPECT_EQ(w->clpAC.cellCount(), 8);
    EXPECT_EQ(w->clpAirport.cellWidth(), 16);
}

TEST_F(MainWindowLayout, menusAndTabOrderFollowTheDesign) {
    // Written as name(items), "-" for a separator; the captions are in the scenario.
    std::string menu;
    // Within one menu no two items share an access letter, or the letter chooses none of them.
    std::function<void(const std::vector<ui::MenuItem>&)> list =
        [&](const std::vector<ui::MenuItem>& items) {
            std::string letters;
            for (const auto& item : items) {
                if (const auto at = item.caption.find('&'); at < item.caption.size() - 1)
                    letters += static_cast<char>(std::tolower(item.caption[at + 1]));
                menu += " " + (item.isSeparator() ? "-" : item.name);
                if (!item.items.empty()) {
                    menu += "(";
                    list(item.items);
                    menu += ")";
                }
            }
            std::sort(letters.begin(), letters.end());
            EXPECT_EQ(std::adjacent_find(letters.begin(), letters.end()), letters.end()) << letters;
        };
    for (const auto& m : w->menus) {
        menu += " " + m.name + " " + m.caption + "(";
        list(m.items);
        menu += ")";
    }
    EXPECT_EQ(menu, " mnuGame &Game( mnuNewGame mnuHint mnuReveal - mnuDebrief mnuLogbook -"
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
}

} // namespace
