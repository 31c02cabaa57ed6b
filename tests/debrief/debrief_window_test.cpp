// SPDX-License-Identifier: MIT
// The debrief of a recorded search, without a display: its map drawn as the game draws it, then
// the track, then the marks; its figures; and the replay moving only the aircraft symbol.
#include "debrief/debrief_numbers.h"
#include "debrief/debrief_window.h"
#include "game/game.h"
#include "game/main_map_sheet.h"
#include "map/map_drawing.h"
#include "map/reveal_marks.h"
#include "script/properties.h"
#include "support/debrief_fixture.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"
#include "ui/window_slot.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> drawingOf(const ui::Canvas& surface) {
    std::ostringstream out;
    script::printDrawing(out, "map", surface.drawing());
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

struct Debrief : ::testing::Test {
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    ui::WindowSlot<DebriefWindow> slot{runtime, buildDebriefWindow};
    DebriefWindow* window = &slot.get();
    logbook::SearchRecord record = debriefFixture();
};

TEST_F(Debrief, theMapIsTheGamesThenOneLinePerStepThenTheMarks) {
    // The game lays out the same search on its own map: the debrief's begins with exactly the
    // items the game drew, so the two maps are one scale, one size and one drawing code.
    Game game(runtime);
    game.start();
    MainWindow& main = *game.main;
    SearchState& s = game.search;
    s.eltX = record.eltX, s.eltY = record.eltY, s.vorX = record.vorX, s.vorY = record.vorY;
    s.airportX = record.airportX, s.airportY = record.airportY;
    main.Pic1->cls();
    drawMap(mainMapSheet(main), mapFeaturesOf(s));
    const std::vector<std::string> gameMap = drawingOf(*main.Pic1);
    drawRevealMarks(mainMapSheet(main), mapFeaturesOf(s));
    const std::vector<std::string> gameAll = drawingOf(*main.Pic1);
    const std::vector<std::string> gameMarks(gameAll.begin() + long(gameMap.size()), gameAll.end());

    showDebrief(*window, record, debriefFixtureReveals());
    const std::vector<std::string> drawn = drawingOf(*window->picMap);
    ASSERT_GT(gameMap.size(), 10u) << "the airport, the rose's circle, ticks and labels";
    ASSERT_EQ(drawn.size(), gameMap.size() + 35 + 3 + gameMarks.size());
    auto at = drawn.begin();
    EXPECT_EQ(std::vector<std::string>(at, at + long(gameMap.size())), gameMap);
    at += long(gameMap.size());
    for (std::size_t i = 1; i < record.track.size(); ++i, ++at) {
        const auto& a = record.track[i - 1];
        const auto& b = record.track[i];
        EXPECT_EQ(*at, "map line " + std::to_string(a.x) + ' ' + std::to_string(a.y) + ' ' +
                           std::to_string(b.x) + ' ' + std::to_string(b.y) + " rgb(0,0,255)")
            << "step " << i;
    }
    EXPECT_EQ(*at++, "map circle 80 80 2.5 rgb(255,0,0)") << "first heard";
    EXPECT_EQ(*at++, "map box 79 79 81 81 rgb(255,0,0) filled");
    EXPECT_EQ(*at++, "map box 142.5 52.5 147.5 57.5 rgb(0,128,0)") << "the Reveal";
    EXPECT_EQ(std::vector<std::string>(at, drawn.end()), gameMarks) << "the ELT, as at Reveal";

    EXPECT_TRUE(window->imgVOR->visible());
    EXPECT_EQ(window->imgVOR->left(), main.imgVOR->left());
    EXPECT_EQ(window->imgVOR->top(), main.imgVOR->top());
    // The game's place for the ELT's picture lies over the Reveal: it moves off the track.
    EXPECT_TRUE(window->imgELT->visible());
    EXPECT_NE(std::pair(window->imgELT->left(), window->imgELT->top()),
              std::pair(main.imgELT->left(), main.imgELT->top()));
    EXPECT_EQ(window->LineDS->x2(), main.LineDS->x2()) << "the scale bar";
    EXPECT_EQ(window->lblDS1->caption(), main.lblDS1->caption());
    EXPECT_TRUE(window->visible());
}

TEST_F(Debrief, aSearchNeverHeardHasNoFirstSignalMarkAndShowingAgainStartsAfresh) {
    showDebrief(*window, record, debriefFixtureReveals());
    record.firstHeard.reset();
    record.track.resize(3);
    showDebrief(*window, record, {});
    const auto drawn = drawingOf(*window->picMap);
    int lines = 0, red = 0;
    for (const auto& item : drawn) {
        lines += item.find("rgb(0,0,255)") != std::string::npos;
        red += item.find("rgb(255,0,0)") != std::string::npos;
    }
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(red, 0);
    EXPECT_TRUE(window->cmdPlay->enabled());
    record.track.resize(1);
    showDebrief(*window, record, {});
    EXPECT_FALSE(window->cmdPlay->enabled()) << "no step: nothing to replay";
}

TEST_F(Debrief, theFiguresAreTheRecordsAsTheResultsBoxGaveThem) {
    showDebrief(*window, record, debriefFixtureReveals());
    DebriefWindow& w = *window;
    EXPECT_EQ(w.lblDate->caption(), "2026-12-07 14:03 UTC");
    // Heard where the score says: no note. The cases where they differ are scenarios.
    EXPECT_EQ(w.lblFirstSignal->caption(), "15.0 nm");
    EXPECT_EQ(w.lblSignalNote->caption(), "");
    // From the first signal: 5 and 10 miles at cruise, then 5 quarter-mile steps.
    EXPECT_EQ(w.lblFlownAfterSignal->caption(), "16.3 nm");
    // From (80, 80) to (150, 50): 76.2 units at 4 to the mile.
    EXPECT_EQ(w.lblStraightLine->caption(), "19.0 nm");
    EXPECT_EQ(w.lblHints->caption(), "2");
    EXPECT_EQ(w.lblBearingUsed->caption(), "Yes");
    EXPECT_EQ(w.lblScore->caption(), "16");
    EXPECT_EQ(w.lblRating->caption(), "** Mission Pilot **");

    logbook::SearchRecord perfect = record;
    perfect.scoreText = "";
    perfect.bearingUsed = false;
    perfect.timeUtc = "yesterday";
    perfect.mapScale = 0; // a damaged record: measured at the usual scale rather than divided by 0
    const auto n = debrief::debriefNumbers(perfect);
    EXPECT_EQ(n.score, "0");
    EXPECT_EQ(n.bearingUsed, "No");
    EXPECT_EQ(n.date, "yesterday");
    showDebrief(w, perfect, {});
    EXPECT_EQ(w.LineDS->x2(), 2 + 4 * 10) << "ten miles at four units to the mile";
}

TEST_F(Debrief, theReplayMovesTheAircraftOnTheClockAndLeavesTheMapAlone) {
    DebriefWindow& w = *window;
    host.setClock(86399.875); // just before midnight
    showDebrief(w, record, debriefFixtureReveals());
    const auto revision = w.picMap->drawing().revision();
    auto centre = [&w] {
        return std::pair{w.imgAC->left() + w.imgAC->width() / 2,
                         w.imgAC->top() + w.imgAC->height() / 2};
    };
    EXPECT_TRUE(w.imgAC->visible());
    EXPECT_EQ(centre(), (std::pair{60.f, 140.f})) << "at the airport";
    EXPECT_FALSE(w.tmrReplay->enabled()) << "paused";

    runtime.click(*w.optReplaySpeed[1]); // 2x: eight steps a second
    runtime.click(*w.cmdPlay);
    EXPECT_EQ(w.cmdPlay->caption(), "&Pause");
    EXPECT_TRUE(w.tmrReplay->enabled());
    EXPECT_EQ(w.tmrReplay->interval(), 16);
    host.setClock(0.125); // a quarter second later, past midnight: two steps
    runtime.tick(*w.tmrReplay);
    EXPECT_EQ(centre(), (std::pair{60.f, 132.f}));
    host.setClock(0.1875); // half a step more
    runtime.tick(*w.tmrReplay);
    EXPECT_EQ(centre(), (std::pair{60.f, 130.f}));

    runtime.click(*w.cmdPlay);
    EXPECT_EQ(w.cmdPlay->caption(), "&Play");
    EXPECT_FALSE(w.tmrReplay->enabled());
    host.setClock(30);
    runtime.click(*w.cmdPlay);
    runtime.click(*w.optReplaySpeed[3]);
    for (int i = 0; i < 40; ++i) {
        host.advanceClock(0.25);
        runtime.tick(*w.tmrReplay);
    }
    EXPECT_EQ(centre(), (std::pair{145.f, 55.f})) << "stopped at the Reveal";
    EXPECT_EQ(w.cmdPlay->caption(), "&Play");
    EXPECT_FALSE(w.tmrReplay->enabled());
    EXPECT_EQ(w.imgAC->picture().name, w.clpAC.cell(1).name) << "nose to the north-east";
    EXPECT_EQ(w.picMap->drawing().revision(), revision) << "the map is never drawn again";

    runtime.click(*w.cmdClose);
    EXPECT_FALSE(runtime.findForm("debrief"));
    EXPECT_FALSE(slot.existing());
}

} // namespace
