// SPDX-License-Identifier: MIT
// The Class window on the headless host, fed by a class held in memory: what the instructor
// reads in its tables, what the map draws for whom, the replay, and requests that come late or
// fail.
#include "classroom/class_figures.h"
#include "classroom/class_window.h"
#include "debrief/replay.h"
#include "game/exercises_menu.h"
#include "game/game.h"
#include "support/class_fixture.h"
#include "support/temp_folder.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"
#include "ui/window_slot.h"

#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace {

struct ClassView : ::testing::Test {
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    ClassFixture source;
    ui::WindowSlot<ClassWindow> slot{runtime, buildClassWindow};
    ClassWindow& w = slot.get();

    std::vector<std::string> texts(const ui::Grid& grid, std::size_t row) {
        std::vector<std::string> t;
        for (const auto& c : grid.rows()[row])
            t.push_back(c.text);
        return t;
    }
    // How many lines of the map are drawn in that colour.
    int linesIn(ui::Color color) {
        int n = 0;
        for (const auto& item : w.picMap->drawing().items())
            if (const auto* line = std::get_if<ui::LineItem>(&item)) n += line->color == color;
        return n;
    }
    void openRidge() {
        openClass(w, [this] { return &source; });
        runtime.select(*w.grdExercises, 0); // "Ridge"
    }
};

TEST_F(ClassView, theRosterShowsEachTraineesFiguresAndSortsByThem) {
    openClass(w, [this] { return &source; });
    const std::vector<std::vector<std::string>> expected{
        {"anna", "24", "26", "16", "20.5", "▲ 12.5 better", "2026-12-07"},
        {"ben", "22", "22", "21", "30.0", "▼ 3.0 worse", "2026-12-05"},
        {"carla", "3", "3", "48", "52.0", "–", "2026-11-30"}};
    ASSERT_EQ(w.grdRoster->rows().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(texts(*w.grdRoster, i), expected[i]);
    // Sorting by a column orders as its figures do: better trends higher, later dates higher.
    const auto& rows = w.grdRoster->rows();
    for (std::size_t column : {0u, 5u, 6u})
        EXPECT_GT(rows[column == 0 ? 1 : 0][column].sortKey,
                  rows[column == 0 ? 0 : 1][column].sortKey)
            << column;
    EXPECT_GT(rows[2][3].sortKey, rows[1][3].sortKey) << "a worse best sorts after";
    EXPECT_EQ(w.lblStatus->caption(), "3 trainees, 2 exercises");
}

TEST_F(ClassView, theRankingWritesWhatTheReportPrintsAndEachTraineeHasAColour) {
    openRidge();
    ASSERT_EQ(w.grdRanking->rows().size(), 3u);
    EXPECT_EQ(texts(*w.grdRanking, 0),
              (std::vector<std::string>{"1", "anna", "16", "** Mission Pilot **", "1.8", "31.3"}));
    EXPECT_EQ(texts(*w.grdRanking, 2)[4], "6.0");
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(linesIn(classroom::traineeColor(i)),
                  int(source.flightsOf["Ridge"][i].record.track.size()) - 1)
            << i;
    EXPECT_EQ(classroom::traineeColor(classroom::paletteSize()), classroom::traineeColor(0));
}

TEST_F(ClassView, hidingATraineeTakesTheirTrackOffTheMapAndShowingPutsItBack) {
    openRidge();
    EXPECT_EQ(w.shownCount(), 3);
    runtime.select(*w.grdRanking, 1);
    runtime.click(*w.cmdShowHide);
    EXPECT_EQ(w.shownCount(), 2);
    EXPECT_EQ(linesIn(classroom::traineeColor(1)), 0);
    EXPECT_EQ(texts(*w.grdRanking, 1)[1], "ben (hidden)");
    EXPECT_EQ(w.cmdShowHide->caption(), "&Show");
    runtime.click(*w.cmdShowHide);
    EXPECT_EQ(w.shownCount(), 3);
    EXPECT_GT(linesIn(classroom::traineeColor(1)), 0);
}

TEST_F(ClassView, theReplayFliesEveryAircraftTogetherAndEachStaysAtItsEnd) {
    openRidge();
    runtime.click(*w.cmdPlay);
    while (w.replay.steps() < 30) {
        host.advanceClock(0.05);
        runtime.tick(*w.tmrReplay);
    }
    const double at = w.replay.steps();
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& track = source.flightsOf["Ridge"][i].record.track;
        const auto pose = debrief::poseAt(track, at);
        ASSERT_TRUE(w.shpAircraft[i]->visible());
        EXPECT_NEAR(w.shpAircraft[i]->left() + 3, pose->x, 1e-6) << i;
        EXPECT_NEAR(w.shpAircraft[i]->top() + 3, pose->y, 1e-6) << i;
    }
    EXPECT_NEAR(w.shpAircraft[2]->left() + 3, 108, 1e-6) << "carla is still on her north leg";
    for (int i = 0; i < 100; ++i) {
        host.advanceClock(0.2);
        runtime.tick(*w.tmrReplay);
    }
    EXPECT_NEAR(w.shpAircraft[1]->top() + 3, 52, 1e-6) << "ben waits where his track ended";
    EXPECT_EQ(w.cmdPlay->caption(), "&Play");
}

TEST_F(ClassView, whatArrivesIsShownAtOnceAndAFailureKeepsWhatWasShown) {
    source.held = true;
    openClass(w, [this] { return &source; });
    EXPECT_EQ(w.lblStatus->caption(), "Reading the class from the server...");
    source.release(1);
    EXPECT_EQ(w.grdRoster->rows().size(), 3u) << "the roster, before the exercises";
    EXPECT_EQ(w.lblStatus->caption(), "Reading the class from the server...");
    source.release();
    runtime.select(*w.grdExercises, 0);
    source.release();
    const auto drawn = w.picMap->drawing().items().size();
    source.failNext = "the server cannot be reached";
    runtime.select(*w.grdExercises, 1);
    source.release();
    EXPECT_EQ(w.lblStatus->caption(),
              "Could not read the flights of Coast: the server cannot be reached");
    EXPECT_EQ(w.picMap->drawing().items().size(), drawn);
    EXPECT_EQ(w.shownCount(), 3);
    source.failNext = "permission denied";
    openClass(w, [this] { return &source; });
    source.release();
    EXPECT_EQ(w.grdRoster->rows().size(), 3u) << "the failed roster left the old one";
    slot->unload();
    source.release(); // a late answer to a closed window goes nowhere
}

TEST_F(ClassView, theRosterAndTheRankingExportAsCsvAndTheMapAsAPicture) {
    TempFolder folder;
    openRidge();
    host.queueSaveFile(folder.file("class"));
    runtime.click(*w.cmdExportRoster);
    host.queueSaveFile(folder.file("ridge.csv"));
    runtime.click(*w.cmdExportRanking);
    host.queueSaveFile(folder.file("ridge.png"));
    runtime.click(*w.cmdSaveMap);
    const auto read = [&](const std::string& name) {
        std::ifstream in(folder.file(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(read("class.csv"),
              "Trainee,Searches,Reveals,Best,Last 10 average,Trend,Last search\r\n"
              "anna,24,26,16,20.5,▲ 12.5 better,2026-12-07\r\n"
              "ben,22,22,21,30.0,▼ 3.0 worse,2026-12-05\r\n"
              "carla,3,3,48,52.0,–,2026-11-30\r\n");
    EXPECT_EQ(read("ridge.csv").substr(0, 88),
              "Rank,Trainee,Score,Rating,Miss (nm),Flown "
              "(nm)\r\n1,anna,16,** Mission Pilot **,1.8,31.3\r\n");
    EXPECT_NE(
        transcript.str().find("savepicture class.picMap path=\"" + folder.file("ridge.png") + "\""),
        std::string::npos);
    EXPECT_EQ(w.lblExported->caption(),
              "Saved the map of Ridge to " + folder.file("ridge.png") + ".");
}

TEST_F(ClassView, aTraineesLogbookOpensReadOnlyAndItsDebriefShowsTheServersTrack) {
    std::vector<logbook::SearchRecord> debriefed;
    w.debrief = [&](const logbook::SearchRecord& r, const auto&) { debriefed.push_back(r); };
    openClass(w, [this] { return &source; });
    runtime.select(*w.grdRoster, 1);
    runtime.keyPress(*w.grdRoster, ui::Key::Enter);
    LogbookWindow& book = *w.traineeLogbook;
    EXPECT_TRUE(book.visible());
    EXPECT_EQ(book.caption(), "Logbook of ben");
    EXPECT_FALSE(book.cmdDelete->visible());
    EXPECT_FALSE(book.lblSquadron->visible());
    runtime.select(*book.grdSearches, 0);
    runtime.keyPress(*book.grdSearches, ui::Key::Enter);
    ASSERT_EQ(debriefed.size(), 1u);
    EXPECT_EQ(debriefed[0].track, source.flightsOf["Ridge"][1].record.track);
}

// A membership that only hands over its class.
struct Membership : logbook::SquadronMembership {
    logbook::SquadronClass* held = nullptr;
    logbook::SquadronSettings settings() override { return {}; }
    bool passwordKnown() override { return false; }
    std::string keyringProblem() override { return ""; }
    void test(const logbook::SquadronSettings&, const std::string&,
              std::function<void(bool, const std::string&)>) override {}
    void join(const logbook::SquadronSettings&, const std::string&) override {}
    void leave() override {}
    logbook::SquadronLink* link() override { return nullptr; }
    logbook::SquadronClass* squadronClass() override { return held; }
};

TEST_F(ClassView, theGameMenuAndTheWindowFollowWhatTheSquadronSays) {
    for (const bool instructor : {true, false}) {
        Game game(runtime);
        Membership squadron; // the keyring has not given the password yet: no class to read
        game.squadron = &squadron;
        game.start();
        ui::MenuItem& item = *game.main->findMenuItem("mnuClass");
        EXPECT_FALSE(item.visible);
        auto first = std::make_unique<ClassFixture>();
        first->instructor = instructor;
        squadron.held = first.get();
        squadron.changed();
        EXPECT_EQ(item.visible, instructor);
        runtime.menu(item);
        EXPECT_EQ(game.classWindow.existing() != nullptr, instructor);
        if (instructor) {
            // Joined again while the window is open: it reads from the new reader alone.
            squadron.held = &source;
            first.reset();
            squadron.changed();
            runtime.select(*game.classWindow->grdExercises, 0);
            EXPECT_EQ(game.classWindow->exerciseShown, "Ridge");
        }
        squadron.held = nullptr; // left
        squadron.changed();
        EXPECT_FALSE(item.visible);
        EXPECT_FALSE(game.classWindow.existing() && game.classWindow->visible());
    }
}

} // namespace
