// SPDX-License-Identifier: MIT
// Game, Exercises... and the Logbook window's Publish, against a class held in memory that
// answers at once or when told. The dialog outside a squadron is the scenario
// exercises_without_squadron.
#include "game/exercises_menu.h"
#include "game/game.h"
#include "game/logbook_keeping.h"
#include "game/new_search.h"
#include "game/results.h"
#include "ui/headless/headless_host.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

using logbook::ClassReply;
using logbook::Exercise;

// The squadron's exercises as an instructor left them, and what was published since.
struct ClassInMemory : logbook::SquadronClass {
    std::vector<Exercise> onServer{{"Ridge line", 40, 150, 120, 60, 170, 30},
                                   {"Lake crossing", 100, 20, 60, 90, 30, 180}};
    bool instructor = false;
    ClassReply reply;  // how every request ends
    bool held = false; // answers wait for answerNow()
    std::vector<std::function<void()>> waiting;
    std::vector<Exercise> published;

    void answer(std::function<void()> a) {
        if (held)
            waiting.push_back(std::move(a));
        else
            a();
    }
    void answerNow() {
        for (auto& a : std::exchange(waiting, {}))
            a();
    }
    void role(std::function<void(ClassReply, bool)> done) override {
        answer([this, done] { done(reply, instructor); });
    }
    void exercises(std::function<void(ClassReply, std::vector<Exercise>)> done) override {
        answer([this, done] { done(reply, reply.ok ? onServer : std::vector<Exercise>{}); });
    }
    void publish(const Exercise& e, std::function<void(ClassReply)> done) override {
        answer([this, e, done] {
            if (reply.ok) published.push_back(e);
            done(reply);
        });
    }
    void roster(std::function<void(ClassReply, std::vector<logbook::RosterRow>)>) override {}
    void flights(const std::string&,
                 std::function<void(ClassReply, std::vector<logbook::ExerciseFlight>)>) override {}
    void
    traineeRecords(const std::string&,
                   std::function<void(ClassReply, std::vector<logbook::SearchRecord>)>) override {}
};

struct Member : logbook::SquadronMembership {
    ClassInMemory* inClass;
    explicit Member(ClassInMemory* c) : inClass(c) {}
    logbook::SquadronSettings settings() override {
        return {"/run/squadron", "", "sq", "ana", "verify-full", ""};
    }
    bool passwordKnown() override { return true; }
    std::string keyringProblem() override { return {}; }
    void test(const logbook::SquadronSettings&, const std::string&,
              std::function<void(bool, const std::string&)>) override {}
    void join(const logbook::SquadronSettings&, const std::string&) override {}
    void leave() override {}
    logbook::SquadronLink* link() override { return nullptr; }
    logbook::SquadronClass* squadronClass() override { return inClass; }
};

struct Exercises : ::testing::Test {
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    ClassInMemory squadronClass;
    Member member{&squadronClass};
    Game game{runtime};

    void start() {
        game.squadron = &member;
        game.start();
    }
    // The Logbook window open on this run's only Reveal, selected.
    LogbookWindow& revealAndOpenLogbook() {
        revealClicked(game);
        showLogbook(game);
        game.logbookWindow->grdSearches->select(0);
        return *game.logbookWindow;
    }
};

TEST_F(Exercises, theChosenExerciseIsFlownAtOnceAndTheSearchAfterItIsRandomAgain) {
    start();
    showExercises(game);
    ExercisesDialog& d = *game.exercisesDialog;
    ASSERT_EQ(d.grdExercises->rows().size(), 2u);
    d.grdExercises->select(1);
    d.cmdFly->userClick();
    const SearchState& s = game.search;
    EXPECT_EQ((Exercise{"Lake crossing", s.airportX, s.airportY, s.vorX, s.vorY, s.eltX, s.eltY}),
              squadronClass.onServer[1]);
    EXPECT_EQ(std::make_pair(s.aircraftX, s.aircraftY), std::make_pair(s.airportX, s.airportY));
    EXPECT_EQ(game.main->caption(), "Vantrel \u2013 Exercise: Lake crossing");
    EXPECT_FALSE(game.exercisesDialog.existing() && game.exercisesDialog->visible());
    revealClicked(game);
    EXPECT_EQ(game.flight.lastReveal()->exercise, "Lake crossing");

    newSearch(game);
    EXPECT_NE(s.eltX * 1000 + s.eltY, 30 * 1000 + 180);
    EXPECT_EQ(game.main->caption(), "Vantrel");
    revealClicked(game);
    EXPECT_EQ(game.flight.lastReveal()->exercise, "");
}

TEST_F(Exercises, theDialogSaysWhatTheSquadronAnswered) {
    start();
    squadronClass.held = true;
    showExercises(game);
    const ui::Label& status = *game.exercisesDialog->lblStatus;
    EXPECT_EQ(status.caption(), "Reading the exercises from the squadron...");
    squadronClass.answerNow();
    EXPECT_EQ(status.caption(), "2 exercises. Choose one, then Fly this exercise.");
    game.exercisesDialog->unload();

    squadronClass.reply = {false, "The server cannot be reached: connection refused."};
    showExercises(game);
    squadronClass.answerNow();
    EXPECT_EQ(game.exercisesDialog->lblStatus->caption(),
              "The exercises could not be read: The server cannot be reached: connection "
              "refused.");
    EXPECT_EQ(game.exercisesDialog->grdExercises->rows().size(), 0u);
}

TEST_F(Exercises, publishIsOfferedToInstructorsAlone) {
    start();
    EXPECT_FALSE(revealAndOpenLogbook().cmdPublish->visible());
    // Made an instructor meanwhile: told when the Squadron dialog closes, and in a window
    // opened afresh.
    squadronClass.instructor = true;
    askRole(game);
    EXPECT_TRUE(game.logbookWindow->cmdPublish->visible());
    game.logbookWindow->unload();
    showLogbook(game);
    EXPECT_TRUE(game.logbookWindow->cmdPublish->visible());
}

TEST_F(Exercises, publishSendsTheSelectedRevealsLayoutUnderTheTypedName) {
    squadronClass.instructor = true;
    start();
    LogbookWindow& w = revealAndOpenLogbook();
    const logbook::SearchRecord r = *w.selected();
    const struct {
        const char* typed;
        ClassReply reply;
        const char* line; // in the Logbook window; "" when the dialog refuses the name
    } cases[] = {
        {"   ", {}, ""},
        {"  Hill country ", {}, "Published exercise Hill country."},
        {"Ridge line", {}, "The squadron already has an exercise Ridge line."},
        {"Coast",
         {false, "permission denied for table exercise"},
         "Exercise Coast was not published: permission denied for table exercise"},
    };
    for (const auto& c : cases) {
        squadronClass.reply = c.reply;
        squadronClass.published.clear();
        w.lblPublished->setCaption("");
        w.cmdPublish->userClick();
        PublishDialog& d = *game.publishDialog;
        d.txtName->userType(c.typed);
        d.cmdOK->userClick();
        EXPECT_EQ(w.lblPublished->caption(), c.line) << c.typed;
        const bool sent = c.reply.ok && std::string(c.line).starts_with("Published");
        const std::vector<Exercise> none,
            hill{{"Hill country", r.airportX, r.airportY, r.vorX, r.vorY, r.eltX, r.eltY}};
        EXPECT_EQ(squadronClass.published, sent ? hill : none) << c.typed;
        if (!*c.line) {
            EXPECT_EQ(d.lblStatus->caption(), "Give the exercise a name.");
        }
        if (game.publishDialog.existing()) game.publishDialog->unload();
    }
}

} // namespace
