// SPDX-License-Identifier: MIT
#include "event_source.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <utility>

namespace monkey {

namespace {

// The names of a list, written as one line of words: a name may come twice, to be drawn twice
// as often.
std::vector<std::string> names(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream words(line);
    for (std::string word; words >> word;)
        out.push_back(word);
    return out;
}

const auto kArrows = names("cmdUp cmdUp cmdLeft cmdRight");
const auto kMainClicks =
    names("optSpeed(0) optSpeed(1) optDFMode(0) optDFMode(1) chkBearing Pic1 cmdHint cmdReveal "
          "cmdHelp mnuHint mnuReveal mnuContents mnuSearchHelp mnuAbout panel mnuZoomIn "
          "mnuZoomOut mnuZoomFit mnuZoom100 mnuAudioOff mnuAudioClassic mnuAudioContinuous");
const auto kSmallWindowClicks =
    names("helpDialog.cmdDemo helpDialog.cmdHelpFile helpDialog.cmdCancel about.cmdClose");
const auto kHelpKeyTargets =
    names("main about helpDialog optSpeed(0) optSpeed(1) optDFMode(0) optDFMode(1) chkBearing "
          "cmdStart cmdHint cmdReveal cmdHelp cmdExit Pic1 lblVOR Signal1 cmdUp about.cmdClose "
          "helpDialog.cmdDemo");
const auto kLogbookClicks =
    names("mnuLogbook mnuLogbook mnuDebrief logbook.cmdDebrief logbook.cmdClose debrief.cmdPlay "
          "debrief.cmdPlay debrief.cmdClose debrief.optReplaySpeed(0) debrief.optReplaySpeed(1) "
          "debrief.optReplaySpeed(2) debrief.optReplaySpeed(3)");
const auto kMapKeys = names("Up Up Left Right Down");

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    return buf;
}

} // namespace

std::string Event::line() const {
    std::string out;
    for (const auto& w : words)
        out += (out.empty() ? "" : " ") + (w.find(' ') == std::string::npos ? w : '"' + w + '"');
    return out;
}

Event EventSource::ending() {
    Event e;
    e.words = below(2) ? std::vector<std::string>{"click", "cmdExit"}
                       : std::vector<std::string>{"close", "main"};
    e.ends = true;
    return e;
}

Event EventSource::next() {
    Event e;
    if (!then_.empty()) {
        e.words = std::move(then_);
        then_.clear();
        return e;
    }
    const int roll = below(1100);
    if (roll < 380) {
        e.words = {"click", pick(kArrows)};
    } else if (roll < 700) {
        // A tick a second; now and then the clock jumps by hours, either way, across midnight.
        if (below(200) == 0) {
            clock_ =
                std::fmod(clock_ + (below(2) ? 1 : -1) * 3600.0 * (1 + below(12)) + 86400, 86400);
            e.words = {"clock", number(clock_)};
        } else {
            clock_ = std::fmod(clock_ + 1, 86400);
            e.words = {"tick"};
        }
    } else if (roll < 880) {
        e.words = {"click", pick(kMainClicks)};
    } else if (roll < 920) {
        e.words = {"click", pick(kSmallWindowClicks)};
    } else if (roll < 950) {
        e.words = {"answer", below(2) ? "1" : "2"};
    } else if (roll < 975) {
        e.words = {"key", "F1", pick(kHelpKeyTargets)};
    } else if (roll < 990) {
        e.words = {"close", below(2) ? "about" : "helpDialog"};
    } else if (roll < 1000) {
        e.words = {"click", below(2) ? "cmdStart" : "mnuNewGame"};
        e.newSearch = true;
    } else if (roll < 1030) {
        e.words = {"click", pick(kLogbookClicks)};
    } else if (roll < 1045) {
        e.words = {"tick", "debrief.tmrReplay"};
    } else if (roll < 1060) {
        e.words = {"select", "logbook.grdSearches", std::to_string(below(7))};
    } else if (roll < 1068) {
        e.words = {"savefile", exportPath_};
        then_ = {"click", "logbook.cmdExport"};
    } else if (roll < 1076) {
        e.words = {"answer", below(2) ? "1" : "2"};
        then_ = {"click", "logbook.cmdDelete"};
    } else if (roll < 1092) {
        e.words = {"key", pick(kMapKeys), "Pic1"};
    } else {
        e.words = {"close", below(2) ? "logbook" : "debrief"};
    }
    return e;
}

} // namespace monkey
