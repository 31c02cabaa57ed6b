// SPDX-License-Identifier: MIT
#include "game.h"

#include "game/audio_menu.h"
#include "game/class_menu.h"
#include "game/exercises_menu.h"
#include "game/help_menu.h"
#include "game/logbook_keeping.h"
#include "game/main_window_events.h"
#include "game/startup.h"
#include "game/view_menu.h"

#include <algorithm>
#include <functional>

namespace {

// The small windows bring the main window forward when they close.
std::function<void()> forwardOnClose(Game& game) {
    return [&game] { game.bringMainWindowForward(); };
}

SearchHelpCalls searchHelpCalls(Game& game) {
    return {[&game] { runDemonstration(game); }, [&game] { openHelpContents(game.helpFile); },
            forwardOnClose(game)};
}

} // namespace

Game::Game(ui::Runtime& runtime)
    : runtime(runtime), main(runtime,
                             [this](ui::Runtime& r) {
                                 auto window = buildMainWindow(r);
                                 connectMainWindow(*this, *window);
                                 return window;
                             }),
      panel(runtime,
            [this](ui::Runtime& r) { return buildExplanationPanel(r, forwardOnClose(*this)); }),
      helpDialog(
          runtime,
          [this](ui::Runtime& r) { return buildSearchHelpDialog(r, searchHelpCalls(*this)); }),
      about(runtime, [this](ui::Runtime& r) { return buildAboutWindow(r, forwardOnClose(*this)); }),
      logbookWindow(runtime,
                    [this](ui::Runtime& r) {
                        auto window = buildLogbookWindow(r);
                        connectLogbookWindow(*this, *window);
                        return window;
                    }),
      debrief(runtime, [](ui::Runtime& r) { return buildDebriefWindow(r); }),
      squadronDialog(runtime,
                     [this](ui::Runtime& r) {
                         auto dialog = buildSquadronDialog(r);
                         dialog->onUnload = [this] { bringMainWindowForward(); };
                         return dialog;
                     }),
      exercisesDialog(runtime,
                      [this](ui::Runtime& r) {
                          auto dialog = buildExercisesDialog(r);
                          dialog->onUnload = forwardOnClose(*this);
                          return dialog;
                      }),
      publishDialog(runtime, [](ui::Runtime& r) { return buildPublishDialog(r); }),
      classWindow(runtime, [this](ui::Runtime& r) {
          auto window = buildClassWindow(r);
          window->debrief = [this](const logbook::SearchRecord& record,
                                   const std::vector<logbook::TrackPoint>& reveals) {
              showDebrief(*debrief, record, reveals);
          };
          return window;
      }) {}

Game::~Game() {
    if (squadron) squadron->changed = nullptr; // the membership may outlive this game
}

void Game::start() {
    MainWindow& window = main.get();
    restoreReceiverAudio(*this); // before the first search, which may already hear the ELT
    followHeldRecords(*this);
    startUp(*this);
    restoreZoom(*this);
    window.show();
    if (squadron) {
        // Joining or leaving, or the keyring's password at start-up, may change what the
        // player is to the squadron and where the class is read from.
        squadron->changed = [this] {
            askRole(*this);
            followSquadron(*this);
        };
    }
    askRole(*this);
}

void Game::bringMainWindowForward() {
    MainWindow& w = *main;
    w.show();
    w.bringToFront();
}

const std::vector<std::string>& Game::windowNames() {
    static const std::vector<std::string> names{"main",    "panel",   "helpDialog", "about",
                                                "logbook", "debrief", "squadron",   "exercises",
                                                "publish", "class"};
    return names;
}

bool Game::isWindowName(std::string_view name) {
    const auto& names = windowNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

ui::Form* Game::window(std::string_view name, bool create) {
    if (name == "main") return create ? &main.get() : main.existing();
    if (name == "panel") return create ? &panel.get() : panel.existing();
    if (name == "helpDialog") return create ? &helpDialog.get() : helpDialog.existing();
    if (name == "about") return create ? &about.get() : about.existing();
    if (name == "logbook") return create ? &logbookWindow.get() : logbookWindow.existing();
    if (name == "debrief") return create ? &debrief.get() : debrief.existing();
    if (name == "squadron") return create ? &squadronDialog.get() : squadronDialog.existing();
    if (name == "exercises") return create ? &exercisesDialog.get() : exercisesDialog.existing();
    if (name == "publish") return create ? &publishDialog.get() : publishDialog.existing();
    if (name == "class") return create ? &classWindow.get() : classWindow.existing();
    return nullptr;
}

std::unique_ptr<ui::Form> Game::designCopy(std::string_view name) {
    if (name == "main") return buildMainWindow(runtime);
    if (name == "panel") return buildExplanationPanel(runtime, forwardOnClose(*this));
    if (name == "helpDialog") return buildSearchHelpDialog(runtime, searchHelpCalls(*this));
    if (name == "about") return buildAboutWindow(runtime, forwardOnClose(*this));
    if (name == "logbook") return buildLogbookWindow(runtime);
    if (name == "debrief") return buildDebriefWindow(runtime);
    if (name == "squadron") return buildSquadronDialog(runtime);
    if (name == "exercises") return buildExercisesDialog(runtime);
    if (name == "publish") return buildPublishDialog(runtime);
    if (name == "class") return buildClassWindow(runtime);
    return nullptr;
}
