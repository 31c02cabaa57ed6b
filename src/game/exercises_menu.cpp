// SPDX-License-Identifier: MIT
#include "exercises_menu.h"

#include "game/game.h"
#include "game/new_search.h"

#include <algorithm>

namespace {

logbook::SquadronClass* squadronClass(Game& game) {
    return game.squadron ? game.squadron->squadronClass() : nullptr;
}

void tellPublished(Game& game, const std::string& words) {
    if (LogbookWindow* w = game.logbookWindow.existing()) showPublished(*w, words);
}

// Placed over the window it was opened from, as the Squadron dialog is.
void showOver(const ui::Form& owner, ui::Form& d) {
    d.setLeft(owner.left() + 600);
    d.setTop(owner.top() + 600);
    d.show();
    d.bringToFront();
}

} // namespace

void connectExercisesMenu(Game& game, MainWindow& w) {
    w.findMenuItem("mnuExercises")->onClick = [&game] { showExercises(game); };
}

void showExercises(Game& game) {
    ExercisesDialog& d = *game.exercisesDialog;
    if (d.visible()) {
        d.bringToFront();
        return;
    }
    // Read afresh each time it opens: an instructor may have published one since.
    connectExercisesDialog(d, squadronClass(game),
                           [&game](const logbook::Exercise& e) { flyExercise(game, e); });
    showOver(*game.main, d);
}

void flyExercise(Game& game, const logbook::Exercise& exercise) {
    game.nextExercise = exercise;
    newSearch(game);
}

void askRole(Game& game) {
    // What only an instructor sees: the Logbook window's Publish button and Game, Class...
    auto showRole = [&game] {
        if (LogbookWindow* w = game.logbookWindow.existing())
            w->cmdPublish->setVisible(game.instructor);
        game.main->setMenuVisible("mnuClass", game.instructor);
    };
    auto* c = squadronClass(game);
    if (!c) {
        game.instructor = false;
        showRole();
        return;
    }
    c->role([&game, c, showRole](logbook::ClassReply reply, bool instructor) {
        // An answer about a squadron the player has left since is no answer; a server that
        // cannot be reached keeps what was shown: publishing would then say why it fails.
        if (reply.ok && squadronClass(game) == c) game.instructor = instructor;
        showRole();
    });
}

void publishSelected(Game& game) {
    const auto record = game.logbookWindow->selected();
    if (!record) return;
    PublishDialog& d = *game.publishDialog;
    const logbook::Exercise layout{"",           record->airportX, record->airportY, record->vorX,
                                   record->vorY, record->eltX,     record->eltY};
    connectPublishDialog(d, layout,
                         [&game](const logbook::Exercise& e) { publishExercise(game, e); });
    showOver(*game.logbookWindow, d);
}

void publishExercise(Game& game, const logbook::Exercise& exercise) {
    auto* c = squadronClass(game);
    if (!c) {
        tellPublished(game, "Join a squadron first: Game, Squadron...");
        return;
    }
    tellPublished(game, "Publishing exercise " + exercise.name + "...");
    // The list is read first so that a name already taken is told in plain words; the server
    // still has the last word, should another instructor take it in between.
    c->exercises([&game, exercise](logbook::ClassReply reply,
                                   std::vector<logbook::Exercise> exercises) {
        const bool taken =
            reply.ok && std::any_of(exercises.begin(), exercises.end(),
                                    [&](const auto& e) { return e.name == exercise.name; });
        if (taken) {
            tellPublished(game, "The squadron already has an exercise " + exercise.name + ".");
            return;
        }
        auto* now = squadronClass(game); // the player may have left the squadron meanwhile
        if (!now) {
            tellPublished(game, "Exercise " + exercise.name +
                                    " was not published: you are in no squadron now.");
            return;
        }
        now->publish(exercise, [&game, name = exercise.name](logbook::ClassReply done) {
            tellPublished(game, done.ok
                                    ? "Published exercise " + name + "."
                                    : "Exercise " + name + " was not published: " + done.problem);
        });
    });
}
