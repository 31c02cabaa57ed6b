// SPDX-License-Identifier: MIT
// The main window as designed: every control with its kind, container, caption, place in twips
// and starting state, the menus and the tab order.
#include "game/main_window.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using K = ui::ControlKind;

struct Expected {
    const char* name;
    int index;
    K kind;
    const char* container; // "" for the window itself
    const char* caption;
    double left, top, width, height;
    bool visible, enabled;
};

// clang-format off
const Expected layout[] = {
    {"Pic1",        -1, K::PictureBox,   "",            "",                 60,   30,   5805, 5775, true,  true},
    {"frmControls", -1, K::Frame,        "",            "Aircraft",         5970, 30,   1635, 3105, true,  true},
    {"frmDF",       -1, K::Frame,        "",            "DF Unit",          5970, 3180, 1635, 1995, true,  true},
    {"frmVOR",      -1, K::Frame,        "",            "VOR/DME",          5970, 5250, 1635, 1065, true,  true},
    {"cmdStart",    -1, K::Button,       "",            "New Search",       60,   5835, 1150, 540,  true,  true},
    {"cmdHint",     -1, K::Button,       "",            "Hint",             1230, 5835, 1150, 540,  true,  true},
    {"cmdReveal",   -1, K::Button,       "",            "Reveal",           2400, 5835, 1150, 540,  true,  false},
    {"cmdHelp",     -1, K::Button,       "",            "Help",             3570, 5835, 1150, 540,  true,  true},
    {"cmdExit",     -1, K::Button,       "",            "Exit",             4740, 5835, 1125, 540,  true,  true},
    {"cmdUp",       -1, K::Image,        "frmControls", "",                 630,  210,  345,  375,  true,  true},
    {"cmdLeft",     -1, K::Image,        "frmControls", "",                 150,  630,  345,  375,  true,  true},
    {"Image1",      -1, K::Image,        "frmControls", "",                 570,  630,  480,  480,  true,  true},
    {"cmdRight",    -1, K::Image,        "frmControls", "",                 1110, 630,  345,  375,  true,  true},
    {"picCompass",  -1, K::PictureBox,   "frmControls", "",                 180,  1140, 1245, 525,  true,  true},
    {"lblHeading",  -1, K::Label,        "picCompass",  "0",                270,  0,    615,  330,  true,  true},
    {"Label5",      -1, K::Label,        "frmControls", "Speed: ",          150,  1740, 615,  240,  true,  true},
    {"optSpeed",     0, K::OptionButton, "frmControls", "Cruise",           480,  1950, 885,  240,  true,  true},
    {"optSpeed",     1, K::OptionButton, "frmControls", "Search",           480,  2160, 915,  240,  true,  true},
    {"Label2",      -1, K::Label,        "frmControls", "DistanceTraveled", 60,   2460, 1515, 240,  true,  true},
    {"lblACdist",   -1, K::Label,        "frmControls", "0",                240,  2730, 735,  285,  true,  true},
    {"Label4",      -1, K::Label,        "frmControls", "nm",               1050, 2730, 270,  240,  true,  true},
    {"Signal1",     -1, K::Shape,        "frmDF",       "",                 1380, 120,  285,  195,  true,  true},
    {"PicDf",       -1, K::PictureBox,   "frmDF",       "",                 180,  330,  1275, 405,  true,  true},
    {"optDFMode",    0, K::OptionButton, "frmDF",       "DF",               110,  780,  645,  240,  true,  true},
    {"optDFMode",    1, K::OptionButton, "frmDF",       "Signal",           690,  780,  915,  240,  true,  true},
    {"lblBearing",  -1, K::Label,        "frmDF",       "",                 180,  1080, 1305, 285,  false, true},
    {"lblDFdist",   -1, K::Label,        "frmDF",       "",                 180,  1380, 795,  285,  false, true},
    {"lblDunits",   -1, K::Label,        "frmDF",       "nm",               1020, 1410, 270,  240,  false, true},
    {"chkBearing",  -1, K::CheckBox,     "frmDF",       "Show Bearing",     60,   1650, 1545, 285,  true,  true},
    {"Label3",      -1, K::Label,        "frmVOR",      "Radial",           120,  300,  540,  240,  true,  true},
    {"lblVOR",      -1, K::Label,        "frmVOR",      "0",                750,  270,  645,  345,  true,  true},
    {"Label1",      -1, K::Label,        "frmVOR",      "DME",              120,  660,  435,  240,  true,  true},
    {"lblDME",      -1, K::Label,        "frmVOR",      "0",                750,  630,  645,  345,  true,  true},
};
// clang-format on

struct MainWindowLayout : ::testing::Test {
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    std::unique_ptr<MainWindow> w = buildMainWindow(runtime);
};

TEST_F(MainWindowLayout, everyControlIsWhereTheDesignerPutIt) {
    for (const auto& e : layout) {
        SCOPED_TRACE(std::string(e.name) + "(" + std::to_string(e.index) + ")");
        const ui::Control* c = w->find(e.name, e.index);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->kind(), e.kind);
        EXPECT_EQ(c->parent() ? c->parent()->name() : "", e.container);
        EXPECT_EQ(c->caption(), e.caption);
        EXPECT_FLOAT_EQ(c->left(), e.left);
        EXPECT_FLOAT_EQ(c->top(), e.top);
        EXPECT_FLOAT_EQ(c->width(), e.width);
        EXPECT_FLOAT_EQ(c->height(), e.height);
        EXPECT_EQ(c->visible(), e.visible);
        EXPECT_EQ(c->enabled(), e.enabled);
    }
}

TEST_F(MainWindowLayout, windowLooksAndStartingStatesAreAsDesigned) {
    EXPECT_EQ(w->caption(), "Vantrel");
    EXPECT_EQ(w->clientWidth(), 7680);
    EXPECT_EQ(w->clientHeight(), 6390);
    EXPECT_EQ(w->backColor, ui::colors::lightGrey);
    EXPECT_EQ(w->icon.width, 32);
    EXPECT_EQ(w->cmdStart->tag(), "N");
    EXPECT_TRUE(w->optSpeed[0]->value());
    EXPECT_FALSE(w->optSpeed[1]->value());
    EXPECT_TRUE(w->optDFMode[0]->value());
    EXPECT_EQ(w->chkBearing->value(), 0);
    EXPECT_EQ(w->Timer1->interval(), 1000);
    EXPECT_EQ(w->MMctrl->deviceType, "WaveAudio");
    EXPECT_EQ(w->MMctrl->fileName(), "");
    for (auto* hidden : {w->imgAC, w->imgAirport, w->imgVOR, w->imgELT}) {
        EXPECT_FALSE(hidden->visible()) << hidden->name();
        EXPECT_EQ(hidden->parent(), w->Pic1);
    }
    EXPECT_EQ(w->Pic1->backColor(), ui::colors::white);
    EXPECT_EQ(w->picCompass->backColor(), ui::colors::black);
    EXPECT_EQ(w->PicDf->backColor(), ui::colors::grey);
    EXPECT_EQ(w->lblVOR->backColor(), ui::colors::darkGrey);
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
    std::vector<std::string> menu;
    // Within one menu no two items share an access letter, or the letter chooses none of them.
    const auto lettersOf = [](const std::vector<ui::MenuItem>& items) {
        std::string letters;
        for (const auto& item : items)
            if (const auto at = item.caption.find('&'); at < item.caption.size() - 1)
                letters += static_cast<char>(std::tolower(item.caption[at + 1]));
        return letters;
    };
    std::function<void(const std::vector<ui::MenuItem>&, const std::string&)> list =
        [&](const std::vector<ui::MenuItem>& items, const std::string& indent) {
            std::string letters = lettersOf(items);
            std::sort(letters.begin(), letters.end());
            EXPECT_EQ(std::adjacent_find(letters.begin(), letters.end()), letters.end())
                << "letters shared under " << indent.size() / 2 << ": " << letters;
            for (const auto& item : items) {
                menu.push_back(indent +
                               (item.isSeparator() ? "-" : item.name + " " + item.caption));
                list(item.items, indent + "  ");
            }
        };
    for (const auto& m : w->menus) {
        menu.push_back(m.name + " " + m.caption);
        list(m.items, "  ");
    }
    const std::vector<std::string> expected{"mnuGame &Game",
                                            "  mnuNewGame &New Search",
                                            "  mnuHint H&int",
                                            "  mnuReveal &Reveal",
                                            "  -",
                                            "  mnuDebrief &Debrief",
                                            "  mnuLogbook &Logbook...",
                                            "  -",
                                            "  mnuAudio Receiver &Audio",
                                            "    mnuAudioOff &Off",
                                            "    mnuAudioClassic &Classic",
                                            "    mnuAudioContinuous Co&ntinuous",
                                            "  -",
                                            "  mnuExit &Exit",
                                            "mnuView &View",
                                            "  mnuZoomIn Zoom &In",
                                            "  mnuZoomOut Zoom &Out",
                                            "  -",
                                            "  mnuZoom100 &100 %",
                                            "  mnuZoom150 1&50 %",
                                            "  mnuZoom200 &200 %",
                                            "  mnuZoom300 &300 %",
                                            "  -",
                                            "  mnuZoomFit &Fit to Screen",
                                            "mnuHelp &Help",
                                            "  mnuContents &Contents",
                                            "  mnuSearchHelp &Search Help",
                                            "  mnuAbout &About"};
    EXPECT_EQ(menu, expected);

    std::vector<std::string> tabs;
    for (auto* c : w->tabOrder)
        tabs.push_back(c->qualifiedName());
    const std::vector<std::string> order{"cmdExit",      "cmdStart",     "cmdHelp",     "cmdReveal",
                                         "chkBearing",   "optSpeed(0)",  "optSpeed(1)", "cmdHint",
                                         "optDFMode(0)", "optDFMode(1)", "Pic1"};
    EXPECT_EQ(tabs, order);
}

} // namespace
