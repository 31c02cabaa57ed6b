// SPDX-License-Identifier: MIT
#include "df_unit.h"

#include "instruments/elt_tone.h"
#include "instruments/signal_strength.h"
#include "model/format_by_pattern.h"
#include "model/navigation.h"

#include <cmath>
#include <numbers>

namespace {

// Where the ELT lies off the nose: negative to the left, positive to the right, 180 behind.
float relativeBearing(float bearing, std::int16_t heading) {
    float rel = bearing - heading;
    if (rel < 0) rel += 360;
    if (rel > 180) rel -= 360;
    return rel;
}

void drawNeedle(const DfPanel& p, float rel, float strength) {
    ui::PictureBox& display = p.display;
    const double sw = display.scaleWidth();
    const double sh = display.scaleHeight();
    display.cls();
    double x;
    if (p.dfMode.value()) {
        // DF: the needle swings towards the ELT's side, further as it gets closer, and stands
        // in the blue centre band when the ELT is dead ahead or dead astern.
        display.box(0.45 * sw, 0, 0.55 * sw, sh, ui::colors::blue, true);
        const double deflection = strength * std::sin(rel * std::numbers::pi / 180) * 0.95;
        x = sw * deflection / 2 + sw / 2;
        // Told to listeners in percent of the half width: -100 full left, 100 full right
        // (adding 0.0 turns a rounded -0 into 0, so the centre is never heard as minus zero).
        display.setAccessibleValue(std::round(deflection * 100) + 0.0, -100, 100);
    } else {
        // Signal: a wedge that widens to the right; the needle moves right as the signal grows.
        display.line(1, 1, sw, sh / 2, ui::colors::blue);
        display.line(sw, sh / 2, 1, sh, ui::colors::blue);
        x = sw * strength;
        display.setAccessibleValue(std::round(strength * 100), 0, 100);
    }
    p.needle.setX1(x);
    p.needle.setX2(p.needle.x1());
}

} // namespace

Reception refreshDfUnit(const DfPanel& p, SearchState& s, std::int16_t& signalHeard) {
    const auto toElt = distanceAndBearing(s.aircraftX, s.aircraftY, s.eltX, s.eltY, s.mapScale);
    const float rel = relativeBearing(toElt.bearing, s.heading);
    const float strength = signalStrength(toElt.distance);

    drawNeedle(p, rel, strength);

    const bool heard = eltHeard(strength);
    p.indicator.setFillColor(heard ? ui::colors::red : ui::colors::black);
    p.indicator.setAccessibleName(heard ? "ELT heard" : "No signal");
    if (heard && s.firstSignalDistance == 0) s.firstSignalDistance = s.distanceFlown;

    if (p.showBearing.value() == 1) {
        const char* side = rel < 0 ? "Left " : rel > 0 ? "Right " : "Forward or Aft ";
        p.bearing.setCaption(side + formatByPattern(std::fabs(rel), "###"));
        p.distance.setCaption(formatByPattern(toElt.distance, "##0.0"));
    }

    const bool newReception = signalHeard == 0 && heard;
    signalHeard = heard ? 1 : 0;
    return {strength, newReception};
}

void soundReceiver(ui::MultimediaControl& player, const std::string& appPath, ReceiverAudio audio,
                   float strength, bool newReception) {
    const std::string toneFile = eltToneFile(appPath);
    switch (audio) {
    case ReceiverAudio::Off:
        break;
    case ReceiverAudio::Classic:
        // The tone sounds once at every change from black to red.
        if (newReception) startEltTone(player, toneFile);
        break;
    case ReceiverAudio::Continuous:
        loopEltTone(player, toneFile, strength);
        break;
    }
}

float eltSignalStrength(const SearchState& s) {
    return signalStrength(
        distanceAndBearing(s.aircraftX, s.aircraftY, s.eltX, s.eltY, s.mapScale).distance);
}
