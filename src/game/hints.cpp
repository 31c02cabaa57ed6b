// SPDX-License-Identifier: MIT
#include "hints.h"

#include "game/game.h"
#include "game/help_menu.h"
#include "model/format_by_pattern.h"
#include "model/navigation.h"

#include <cmath>

std::string hintText(const SearchState& s) {
    const auto fromVor = distanceAndBearing(s.vorX, s.vorY, s.eltX, s.eltY, s.mapScale);
    const auto fromAircraft =
        distanceAndBearing(s.aircraftX, s.aircraftY, s.eltX, s.eltY, s.mapScale);
    const std::string dV = formatByPattern(fromVor.distance, "##0.0");
    const std::string rV = formatByPattern(fromVor.bearing, "000");
    const std::string dA = formatByPattern(fromAircraft.distance, "##0.0");
    const std::string bA = formatByPattern(std::fabs(fromAircraft.bearing), "###");
    std::string first, second;
    if (s.hintCount == 1) {
        first = "The ELT is " + dV + " nm from the VOR";
        second = "It is also " + dA + " nm from your current position";
    } else if (s.hintCount == 2) {
        first = "The ELT is on the " + rV + " degree radial of the VOR";
        second = "It is also on a " + bA + " degree bearing from your current position";
    } else {
        first = "The ELT is " + dV + " nm on the " + rV + " degree radial of the VOR";
        second =
            "It is also " + dA + " nm on a " + bA + " degree bearing from your current position";
    }
    return first + "\n\n" + second;
}

void giveHint(Game& game) {
    hideExplanation(game);
    SearchState& s = game.search;
    if (s.hintCount < INT16_MAX) ++s.hintCount;
    game.runtime.messageBox(hintText(s), ui::msgbox::information);
}
