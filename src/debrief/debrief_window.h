// SPDX-License-Identifier: MIT
#pragma once

#include "debrief/replay.h"
#include "map/map_sheet.h"
#include "model/search_record.h"
#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/sprite_strip.h"

#include <array>
#include <memory>
#include <vector>

// One search looked back on: its map as the game drew it, the track flown over it with the
// point where the ELT was first heard and each Reveal, a replay of the flight and the figures.
struct DebriefWindow : ui::Form {
    explicit DebriefWindow(ui::Runtime& runtime)
        : Form(runtime, "debrief", ui::WindowStyle::Companion) {}

    // The map, the same size and in the same units as the main window's.
    ui::PictureBox* picMap{};
    ui::Image* imgAC{};
    ui::Image* imgAirport{};
    ui::Image* imgVOR{};
    ui::Image* imgELT{};
    ui::LineControl* LineDS{};
    ui::Label* lblDS1{};

    ui::Frame* frmSearch{};
    ui::Label* lblDate{};
    ui::Label* lblFirstSignal{};
    ui::Label* lblFlownAfterSignal{};
    ui::Label* lblStraightLine{};
    ui::Label* lblHints{};
    ui::Label* lblBearingUsed{};
    ui::Label* lblScore{};
    ui::Label* lblRating{};
    // Below the map: how the real first reception differs from the scored one, when it does.
    ui::Label* lblSignalNote{};

    ui::Frame* frmReplay{};
    ui::Button* cmdPlay{};
    std::array<ui::OptionButton*, 4> optReplaySpeed{}; // 1x, 2x, 4x, 8x
    ui::Timer* tmrReplay{};
    ui::Button* cmdClose{};

    ui::SpriteStrip clpAC;
    ui::SpriteStrip clpAirport;

    debrief::Replay replay;
    debrief::FrameClock frameClock;
    int aircraftCellShown = -1; // the strip cell imgAC holds, -1 before the first
    // The search of this run (FlightLog::number) whose every Reveal the window shows as it is
    // made; 0 when it shows a search that is over.
    int followsSearch = 0;

    MapSheet mapSheet();
    // Plays from where the replay stands (from the start when at the end), or pauses it.
    void playOrPause();
    // One frame: the time since the last one flies the aircraft on.
    void replayTick();
    // The aircraft symbol where the replay stands, and the play button and timer as it is.
    void showReplay();
};

// Builds the window, hidden, with its handlers connected; Close unloads it.
std::unique_ptr<DebriefWindow> buildDebriefWindow(ui::Runtime& runtime);

// Draws the search on the map (the map, then the track, then the marks), writes its figures,
// stands the replay paused at the start of the track and shows the window. `revealPoints` are
// where each Reveal of the search was made.
void showDebrief(DebriefWindow& window, const logbook::SearchRecord& record,
                 const std::vector<logbook::TrackPoint>& revealPoints);
// The same, in a window that stays where it is among the others.
void drawDebrief(DebriefWindow& window, const logbook::SearchRecord& record,
                 const std::vector<logbook::TrackPoint>& revealPoints);
