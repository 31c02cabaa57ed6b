// SPDX-License-Identifier: MIT
#include "flight_timer.h"

#include "game/flying.h"
#include "game/game.h"
#include "game/help_menu.h"
#include "ui/numbers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::int16_t yes = -1;
constexpr int kSecondsPerDay = 86400;

bool isBlack(const MainWindow& w) {
    return w.Signal1->fillColor() == ui::colors::black;
}

void restartCoaching(Game& game) {
    CoachingState& c = game.coaching;
    MainWindow& w = *game.main;
    w.cmdStart->setTag("");
    c.coachStartSeconds = 0;
    c.searchPromptShown = c.returnPromptShown = c.arrowsPromptShown = 0;
    c.silentTicks = 0;
    c.signalWasOn = c.longSearchShown = c.offMapDeclined = 0;
    c.signalLosses = 0;
    c.mapWidth = ui::toInt16(w.Pic1->scaleWidth());
    c.mapHeight = ui::toInt16(w.Pic1->scaleHeight());
}

// Time spent in the logbook or a debrief is not time spent stuck on the search: the coaching
// waits there, and takes up its count where it left it once the player is back.
bool lookingBack(Game& game) {
    const ui::Form* active = game.runtime.activeForm();
    return active && (active == game.logbookWindow.existing() || active == game.debrief.existing());
}

void resumeCoaching(Game& game) {
    CoachingState& c = game.coaching;
    double away = game.runtime.clock() - c.lookingBackSince;
    if (away < 0) away += kSecondsPerDay;
    c.lookingBackSince = -1;
    if (c.coachStartSeconds == 0) return;
    auto start = c.coachStartSeconds + static_cast<std::int32_t>(ui::roundHalfEven(away));
    if (start > kSecondsPerDay) start -= kSecondsPerDay;
    c.coachStartSeconds = start;
}

void countElapsedTime(Game& game) {
    CoachingState& c = game.coaching;
    const double now = game.runtime.clock();
    if (c.coachStartSeconds == 0) {
        // Midnight itself reads as the end of the day, since 0 means "not begun".
        const auto start = static_cast<std::int32_t>(ui::roundHalfEven(now));
        c.coachStartSeconds = start == 0 ? kSecondsPerDay : start;
        c.elapsedTicks = 0;
    }
    const int interval = game.main->Timer1->interval();
    // The start was rounded, so the clock may read a little before it at first. Only a reading
    // far before it means the clock has passed midnight since.
    double seconds = now - c.coachStartSeconds;
    if (seconds < -kSecondsPerDay / 2.0) seconds += kSecondsPerDay;
    const double ticks = ui::roundHalfEven(seconds / std::max(interval, 1) * 1000);
    c.elapsedTicks = std::max(c.elapsedTicks, ui::toInt16(ticks));
}

void showLongSearchMessage(Game& game) {
    const bool neverHeard = game.search.firstSignalDistance == 0;
    // "fint" is the game's own spelling, kept as players know it: not to be corrected.
    const char* text = neverHeard
                           ? "This has been a long one!\nSince you haven't heard the ELT yet\n Try "
                             "clicking on the Help box to learn about how to fint the ELT"
                           : "This has been a long one!\nYou can click the Reveal button to show "
                             "you where the ELT is located\nClicking the New Search button will "
                             "let you try again!";
    game.runtime.messageBox(text, ui::msgbox::okOnly, "Search Help");
}

bool offTheMap(const SearchState& s, const CoachingState& c) {
    return s.aircraftX < -0.05 * c.mapWidth || s.aircraftY < -0.05 * c.mapHeight ||
           s.aircraftX > 1.05 * c.mapWidth || s.aircraftY > 1.05 * c.mapHeight;
}

void offerReturnToMap(Game& game) {
    const int answer = game.runtime.messageBox("Would you like to get back on the map?",
                                               ui::msgbox::okCancel, "Search Help");
    CoachingState& c = game.coaching;
    if (answer == ui::msgbox::ok) {
        game.search.aircraftX = ui::toInt16(c.mapWidth / 2.0);
        game.search.aircraftY = ui::toInt16(c.mapHeight / 2.0);
        game.flight.putBack(game.search);
        stepAircraft(game);
    } else {
        c.offMapDeclined = yes;
    }
}

} // namespace

void showArrowsPrompt(Game& game) {
    MainWindow& w = *game.main;
    showExplanation(
        game, " Click the three arrows at the right \r\n to move the aircraft on the map ",
        w.top() + w.cmdUp->top() + 30, NoteEdge::Right, w.left() + w.frmControls->left() + 20);
}

void showSearchPrompt(Game& game) {
    MainWindow& w = *game.main;
    showExplanation(game,
                    " Move the aircraft around the map \n until you get a signal on the DF Unit "
                    "\n Look for the black square to turn red ",
                    w.top() + w.frmDF->top() + 30, NoteEdge::Right,
                    w.left() + w.frmDF->left() + 20);
}

void showReturnPrompt(Game& game) {
    MainWindow& w = *game.main;
    showExplanation(game,
                    " Try moving the aircraft to where you last heard the signal \n Look for the "
                    "black square to turn red in the DF Unit ",
                    w.top() + w.Pic1->height() / 4, NoteEdge::Left, w.left() + w.Pic1->width() / 4);
}

void showTurningPrompt(Game& game, const char* firstLine) {
    MainWindow& w = *game.main;
    // Halfway down the aircraft frame, beside the DF unit.
    const std::string text =
        std::string(firstLine) + "\n in the direction of \n the red needle on the DF Unit";
    showExplanation(game, text, w.top() + w.frmControls->height() / 2, NoteEdge::Right,
                    w.left() + w.frmDF->left() + 20);
}

void flightTimerTick(Game& game) {
    MainWindow& w = *game.main;
    CoachingState& c = game.coaching;
    const SearchState& s = game.search;

    if (lookingBack(game)) {
        if (c.lookingBackSince < 0) c.lookingBackSince = game.runtime.clock();
        return;
    }
    if (c.lookingBackSince >= 0) resumeCoaching(game);
    if (w.cmdStart->tag() == "N") restartCoaching(game);
    countElapsedTime(game);

    if (ui::readNumber(w.lblACdist->caption()) == 0 && c.elapsedTicks > 10 &&
        !c.arrowsPromptShown) {
        showArrowsPrompt(game);
        c.arrowsPromptShown = yes;
    }
    if (s.firstSignalDistance == 0 && !c.searchPromptShown && c.elapsedTicks > 25) {
        showSearchPrompt(game);
        c.searchPromptShown = yes;
    }
    if (s.firstSignalDistance > 0 && isBlack(w) && !c.returnPromptShown) {
        if (c.silentTicks <= 10) {
            ++c.silentTicks;
        } else {
            showReturnPrompt(game);
            c.returnPromptShown = yes;
        }
    }
    if (!isBlack(w)) {
        c.signalWasOn = yes;
    } else if (c.signalWasOn) {
        ++c.signalLosses;
        c.signalWasOn = 0;
    }
    if (c.signalLosses > 4) {
        showTurningPrompt(game, " Try turning the aircraft");
        c.signalLosses = 0;
    }
    if (c.elapsedTicks > 180 && !c.longSearchShown) {
        showLongSearchMessage(game);
        c.longSearchShown = yes;
    }
    if (offTheMap(s, c) && !c.offMapDeclined) offerReturnToMap(game);
}
