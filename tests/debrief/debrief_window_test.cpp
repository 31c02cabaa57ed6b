// SPDX-License-Identifier: MIT
// The debrief of records no flight of the runner makes: a damaged one, and a replay that must
// leave the map as it was drawn. Its map, figures and replay are the scenario debrief_replay.
#include "debrief/debrief_numbers.h"
#include "debrief/debrief_window.h"
#include "support/debrief_fixture.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"
#include "ui/window_slot.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Debrief : ::testing::Test {
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    ui::WindowSlot<DebriefWindow> slot{runtime, buildDebriefWindow};
    DebriefWindow& w = slot.get();
    logbook::SearchRecord record = debriefFixture();
};

TEST_F(Debrief, aDamagedRecordIsMeasuredAtTheUsualScaleAndShownAsStored) {
    record.scoreText = "";
    record.bearingUsed = false;
    record.timeUtc = "yesterday";
    record.mapScale = 0;
    const auto n = debrief::debriefNumbers(record);
    EXPECT_EQ(n.score, "0");
    EXPECT_EQ(n.bearingUsed, "No");
    EXPECT_EQ(n.date, "yesterday");
    showDebrief(w, record, {});
    EXPECT_EQ(w.LineDS->x2(), 2 + 4 * 10) << "ten miles at four units to the mile";
}

TEST_F(Debrief, theReplayNeverDrawsTheMapAgain) {
    showDebrief(w, record, debriefFixtureReveals());
    const auto revision = w.picMap->drawing().revision();
    runtime.click(*w.cmdPlay);
    for (int i = 0; i < 40; ++i) {
        host.advanceClock(0.25);
        runtime.tick(*w.tmrReplay);
    }
    EXPECT_EQ(w.cmdPlay->caption(), "&Play") << "played to the end";
    EXPECT_EQ(w.picMap->drawing().revision(), revision);
}

} // namespace
