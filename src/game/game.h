// SPDX-License-Identifier: MIT
#pragma once

#include "classroom/class_window.h"
#include "debrief/debrief_window.h"
#include "game/coaching_state.h"
#include "game/main_window.h"
#include "help/about_window.h"
#include "help/context_ids.h"
#include "help/explanation_panel.h"
#include "help/search_help_dialog.h"
#include "instruments/elt_tone.h"
#include "logbook/exercises_dialog.h"
#include "logbook/flight_log.h"
#include "logbook/logbook.h"
#include "logbook/logbook_window.h"
#include "logbook/publish_dialog.h"
#include "logbook/squadron_dialog.h"
#include "logbook/squadron_membership.h"
#include "model/search_state.h"
#include "ui/runtime.h"
#include "ui/window_slot.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One running game: the search record, the windows and the little state the instruments and
// the help calls keep between events. Operations are free functions taking a Game.
class Game {
public:
    explicit Game(ui::Runtime& runtime);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Loads the main window, runs start-up and shows the window with its first search.
    void start();

    // Shows the main window and brings it in front of the others.
    void bringMainWindowForward();

    // The program's windows by name: "main", "panel", "helpDialog", "about", "logbook",
    // "debrief", "squadron", "exercises", "publish", "class".
    static const std::vector<std::string>& windowNames();
    static bool isWindowName(std::string_view name);
    // The window of that name; when it does not exist it is created (hidden) if `create`.
    ui::Form* window(std::string_view name, bool create);
    // A window as designed, built apart from the running program.
    std::unique_ptr<ui::Form> designCopy(std::string_view name);

    ui::Runtime& runtime;
    SearchState search;
    CoachingState coaching;
    std::int16_t signalHeard = 0; // the DF unit has seen the indicator red and not black since
    HelpFile helpFile{runtime};
    // The zoom the player chose; the screen may hold the windows smaller.
    int zoomChosen = 100;
    ReceiverAudio receiverAudio = ReceiverAudio::Classic;

    // The player's logbook, when this game keeps one, and what it needs of the search in hand.
    std::unique_ptr<logbook::Logbook> logbook;
    // The squadron the player joined, when the program offers one; its link sends the records.
    logbook::SquadronMembership* squadron = nullptr;
    // The squadron's exercise the next New Search lays out instead of a random search.
    std::optional<logbook::Exercise> nextExercise;
    // The squadron counts the player among its instructors, who may publish exercises.
    bool instructor = false;
    logbook::FlightLog flight;

    ui::WindowSlot<MainWindow> main;
    ui::WindowSlot<ExplanationPanel> panel;
    ui::WindowSlot<SearchHelpDialog> helpDialog;
    ui::WindowSlot<AboutWindow> about;
    ui::WindowSlot<LogbookWindow> logbookWindow;
    ui::WindowSlot<DebriefWindow> debrief;
    ui::WindowSlot<SquadronDialog> squadronDialog;
    ui::WindowSlot<ExercisesDialog> exercisesDialog;
    ui::WindowSlot<PublishDialog> publishDialog;
    ui::WindowSlot<ClassWindow> classWindow;
};
