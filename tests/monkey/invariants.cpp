// SPDX-License-Identifier: MIT
#include "invariants.h"

#include "debrief/debrief_window.h"
#include "game/game.h"
#include "logbook/logbook.h"
#include "logbook/logbook_window.h"
#include "model/format_by_pattern.h"

#include <cstdint>
#include <sstream>

namespace monkey {

namespace {

// Collects what fails, naming each broken rule.
struct Verdict {
    std::ostringstream out;
    void require(bool holds, const char* rule) {
        if (!holds) out << rule << "; ";
    }
};

bool inside(int v, int low, int high) {
    return v >= low && v <= high;
}

} // namespace

std::string Invariants::check(Game& game, bool newSearch) {
    Verdict v;
    const SearchState& s = game.search;
    const CoachingState& c = game.coaching;
    MainWindow& w = *game.main.existing();

    v.require(s.heading % 45 == 0 && inside(s.heading, 0, 360), "heading is a multiple of 45");
    v.require(s.speedStep == 1 || s.speedStep == 4, "speedStep is 1 or 4");
    v.require(s.speedStep == (w.optSpeed[0]->value() ? 4 : 1), "speedStep follows the option");
    v.require(w.optSpeed[0]->value() != w.optSpeed[1]->value(), "one speed option is selected");
    v.require(w.optDFMode[0]->value() != w.optDFMode[1]->value(), "one DF mode is selected");
    v.require(s.mapScale == 4, "mapScale is 4");
    if (newSearch) {
        v.require(inside(s.eltX, 10, 190) && inside(s.eltY, 10, 190), "ELT within its margin");
        v.require(inside(s.vorX, 20, 180) && inside(s.vorY, 20, 180), "VOR within its margin");
        v.require(inside(s.airportX, 20, 180) && inside(s.airportY, 20, 180),
                  "airport within its margin");
        v.require(s.heading == 0 && s.distanceFlown == 0 && s.hintCount == 0,
                  "a new search starts afresh");
        v.require(s.firstSignalDistance == 0, "a new search has not heard the ELT yet");
        lastDistance_ = 0;
        firstSignal_ = 0;
    }
    v.require(s.distanceFlown >= lastDistance_, "distance flown never decreases in a search");
    if (s.firstSignalDistance != firstSignal_) {
        // It is set once, to the distance flown when the ELT was first heard.
        v.require(firstSignal_ == 0 && s.firstSignalDistance <= s.distanceFlown &&
                      s.firstSignalDistance >= lastDistance_,
                  "first-signal distance is latched once from the distance flown");
    }
    lastDistance_ = s.distanceFlown;
    firstSignal_ = s.firstSignalDistance;

    const auto dx = std::int64_t(s.eltX) - s.aircraftX;
    const auto dy = std::int64_t(s.eltY) - s.aircraftY;
    const bool inRange = dx * dx + dy * dy <= 8483;
    const ui::Color signal = w.Signal1->fillColor();
    v.require(signal == (inRange ? ui::colors::red : ui::colors::black),
              "indicator red exactly within reception");
    v.require(game.signalHeard == (inRange ? 1 : 0), "tone flag follows the indicator");
    v.require(s.bearingShown == (w.chkBearing->value() ? -1 : 0), "bearing follows its box");
    v.require(w.lblBearing->visible() == (s.bearingShown != 0), "readout shown with the box");
    v.require(w.lblHeading->caption() == std::to_string(s.heading), "heading readout");
    const std::string counter =
        s.distanceFlown == 0 ? std::string("0") : formatByPattern(s.distanceFlown, "###.#");
    v.require(w.lblACdist->caption() == counter, "distance counter shows the distance flown");
    v.require(w.cmdReveal->enabled(), "Reveal stays enabled");
    v.require(c.silentTicks >= 0 && c.silentTicks <= 11, "silent ticks stop at 11");
    v.require(c.signalLosses >= 0 && c.signalLosses <= 4, "losses restart after the fifth");
    v.require(c.elapsedTicks >= 0, "elapsed ticks never negative");

    // The windows the program knows are exactly the ones the runtime has.
    for (const auto& name : Game::windowNames())
        v.require(game.window(name, false) == game.runtime.findForm(name),
                  "windows and runtime agree");
    if (auto* panel = game.panel.existing(); panel && panel->visible())
        v.require(!panel->drawing().items().empty(), "a shown note has text");
    if (auto* dialog = game.helpDialog.existing(); dialog && dialog->visible())
        v.require(dialog->cmdDemo->visible() && dialog->cmdCancel->visible(),
                  "a shown dialog has its buttons");
    if (auto* book = game.logbookWindow.existing()) {
        const auto& rows = book->grdSearches->rows();
        v.require(rows.size() == book->shown.size(), "the logbook's table shows its records");
        v.require(book->grdSearches->selectedRow() < int(rows.size()), "a selected row is there");
        // Every record of the logbook is listed, those written and those waiting alike.
        if (book->visible() && game.logbook)
            v.require(int(book->shown.size()) == game.logbook->count(),
                      "the logbook window lists every record");
    }
    if (auto* debrief = game.debrief.existing()) {
        const bool playing = debrief->replay.playing();
        v.require(debrief->tmrReplay->enabled() == playing, "the replay's timer runs as it plays");
        v.require(debrief->cmdPlay->caption() == (playing ? "&Pause" : "&Play"),
                  "the play button says what it will do");
    }
    if (auto* about = game.about.existing())
        v.require(about->lblVersion->caption() == "Version 1.4", "About unchanged");
    return v.out.str();
}

} // namespace monkey
