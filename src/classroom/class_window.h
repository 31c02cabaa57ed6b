// SPDX-License-Identifier: MIT
#pragma once

#include "debrief/replay.h"
#include "logbook/logbook_window.h"
#include "logbook/squadron_class.h"
#include "map/map_sheet.h"
#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/sprite_strip.h"
#include "ui/window_slot.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The instructor's view of the class: the roster with each trainee's figures, the published
// exercises, and for the one chosen every trainee's flight on its map, ranked, replayed together.
struct ClassWindow : ui::Form {
    explicit ClassWindow(ui::Runtime& runtime);

    ui::Label* lblStatus{}; // what is being read from the server, what arrived, what went wrong
    ui::Grid* grdRoster{};
    ui::Button* cmdOpenLogbook{};
    ui::Button* cmdExportRoster{};
    ui::Grid* grdExercises{};
    // The exercise's map, the same size and in the same units as the debrief's.
    ui::PictureBox* picMap{};
    ui::Image* imgAirport{};
    ui::Image* imgVOR{};
    ui::Image* imgELT{};
    ui::LineControl* LineDS{};
    ui::Label* lblDS1{};
    ui::SpriteStrip clpAirport;
    std::vector<ui::Shape*> shpAircraft; // one per trainee of the largest exercise shown so far
    ui::Grid* grdRanking{};
    ui::PictureBox* picLegend{}; // each trainee's colour and name
    ui::Button* cmdShowHide{};
    ui::Button* cmdPlay{};
    std::array<ui::OptionButton*, 4> optReplaySpeed{}; // 1x, 2x, 4x, 8x
    ui::Timer* tmrReplay{};
    ui::Button* cmdExportRanking{};
    ui::Button* cmdSaveMap{};
    ui::Label* lblExported{}; // what the last export wrote, or that it could not
    ui::Button* cmdClose{};

    // Where the class comes from, looked up at each request: the player may leave or join
    // again while the window is open. Set by openClass; nullptr outside a squadron.
    std::function<logbook::SquadronClass*()> source;
    std::vector<logbook::RosterRow> roster;
    std::vector<logbook::Exercise> exercises;
    std::string exerciseShown;                    // "" before one is chosen
    std::vector<logbook::ExerciseFlight> flights; // of that exercise, in the ranking's order
    std::vector<bool> hidden;                     // by the flights' order
    int pendingRequests = 0;
    std::string problem; // the last request that failed, in words; "" when none
    // The replay runs along the longest track; every trainee flies the same number of steps.
    debrief::Replay replay;
    debrief::FrameClock frameClock;
    std::string lastExportFolder;

    // A trainee's logbook, read from the server, shown read-only.
    ui::WindowSlot<LogbookWindow> traineeLogbook;
    // Opens the debrief of a record, with where each Reveal of its search was made.
    std::function<void(const logbook::SearchRecord&, const std::vector<logbook::TrackPoint>&)>
        debrief;

    // Replies to requests made for this window reach it only while it exists.
    std::shared_ptr<ClassWindow*> self = std::make_shared<ClassWindow*>(this);

    MapSheet mapSheet();
    // How many trainees' tracks the map shows.
    int shownCount() const;
};

std::unique_ptr<ClassWindow> buildClassWindow(ui::Runtime& runtime);

// Shows the window and reads the roster and the exercises from what `source` gives, each shown
// as it comes; nothing when it gives none.
void openClass(ClassWindow& w, std::function<logbook::SquadronClass*()> source);
// Reads the flights of the exercise in that row of the exercises' table and shows them.
void chooseExercise(ClassWindow& w, int row);
// The exercise's map, each shown trainee's track and marks in their colour, and the legend.
void drawClassMap(ClassWindow& w);
// Hides the trainee in that row of the ranking from the map, or shows them again.
void toggleTrainee(ClassWindow& w, int row);
// Plays the replay from where it stands, or pauses it; one frame of it.
void playOrPauseClass(ClassWindow& w);
void classReplayTick(ClassWindow& w);
// Each trainee's aircraft where the replay stands.
void showClassReplay(ClassWindow& w);
