// SPDX-License-Identifier: MIT
#include "results.h"

#include "game/audio_menu.h"
#include "game/game.h"
#include "game/help_menu.h"
#include "game/logbook_keeping.h"
#include "game/main_map_sheet.h"
#include "map/reveal_marks.h"
#include "model/format_by_pattern.h"
#include "model/navigation.h"
#include "model/verdict.h"
#include "ui/numbers.h"

namespace {

// "did'nt" and "Its" below are the game's own spellings, kept as players know them: not to be
// corrected.
const char* flightRemark(float flown) {
    if (flown < 20) return "That was a quick one!";
    if (flown < 40) return "You did'nt go very far that time!";
    if (flown < 80) return "You're getting pretty good at this!";
    if (flown < 120) return "You'll have to try a lot harder next time!";
    if (flown < 150) return "You've been over almost every inch of that map!";
    return "With all this flight time are you sure you still have any gas?!";
}

const char* missRemark(float miss) {
    if (miss <= 0.8f) return "You should be able to see this one out the window.";
    if (miss <= 1.5f) return "A little more work and you'll trip over it.";
    if (miss <= 3) return "Getting closer, but you still need more practice.";
    if (miss <= 5) return "Its more than a stone's throw away!";
    if (miss <= 8) return "At this range, you need to call in the ground team to find it.";
    return "Maybe you should head back to base and let a real pilot find it.";
}

// The quadrant word of a bearing: 1 up to and including 90, ... 4 above 270.
int quadrant(float bearing) {
    int q = 0;
    if (bearing > 0) q = 1;
    if (bearing > 90) q = 2;
    if (bearing > 180) q = 3;
    if (bearing > 270) q = 4;
    return q;
}

} // namespace

std::string resultsText(const SearchState& s, int showBearingValue) {
    const auto toElt = distanceAndBearing(s.aircraftX, s.aircraftY, s.eltX, s.eltY, s.mapScale);
    const float d = toElt.distance;
    const int q = quadrant(toElt.bearing);
    const float relative = toElt.bearing - s.heading; // not brought into any range
    const auto vor = distanceAndBearing(s.vorX, s.vorY, s.eltX, s.eltY, s.mapScale);
    const float airport =
        distanceAndBearing(s.airportX, s.airportY, s.eltX, s.eltY, s.mapScale).distance;
    const float flown = s.distanceFlown;
    const float heard = s.firstSignalDistance;

    const std::string nl = "\r\n";
    std::string text = "You travelled " + ui::plainDecimal(flown) + " miles looking for the ELT.";
    if (d != 0) {
        text += nl + "It is on a bearing of " + formatByPattern(relative, "###") + " degrees";
        text += nl + "and " + formatByPattern(d, "##0.0") + " nm , " +
                s.compassPointNames[std::size_t(q)] + " of your location.";
    } else {
        text += nl + "You are right over the ELT!!";
    }
    text += nl + nl + "It is " + formatByPattern(vor.distance, "##0.#") + " nm out on the " +
            formatByPattern(vor.bearing, "###") + " degree radial of the VOR.";
    text += nl + nl + "The ELT was " + formatByPattern(airport, "##0.#") + " nm from the airport.";
    text += nl + "You started hearing the ELT after " + formatByPattern(heard, "##0.0") +
            " nm of search flying";
    text += nl + nl + flightRemark(flown);
    text += nl + nl + missRemark(d);

    const Verdict verdict = verdictOf(s);
    if (showBearingValue == 0) {
        text += nl + nl + "Your score is: " + verdict.scoreText + " giving you a rating of: ";
    } else {
        text += nl + nl + "Your score would have been " + verdict.scoreText +
                " if you hadn't needed the Show Bearing";
        text += nl + "With this help you would have a rating of:";
    }
    text += nl + nl + "          " + verdict.rating;
    return text;
}

void showResults(Game& game) {
    const std::string text = resultsText(game.search, game.main->chkBearing->value());
    game.runtime.messageBox(text, ui::msgbox::okOnly, "Vantrel Results");
}

void revealAnswer(Game& game) {
    silenceReceiver(game);
    drawRevealMarks(mainMapSheet(*game.main), mapFeaturesOf(game.search));
    recordReveal(game);
    showResults(game);
    tellLogbookNews(game);
}

void revealClicked(Game& game) {
    hideExplanation(game);
    revealAnswer(game);
}
