// SPDX-License-Identifier: MIT
#include "vor_dme.h"

#include "model/format_by_pattern.h"
#include "model/navigation.h"

void refreshVorDme(ui::Label& radial, ui::Label& distance, const SearchState& s) {
    const auto fromVor = distanceAndBearing(s.vorX, s.vorY, s.aircraftX, s.aircraftY, s.mapScale);
    distance.setCaption(formatByPattern(fromVor.distance, "###0.0"));
    radial.setCaption(formatByPattern(fromVor.bearing, "000"));
}
