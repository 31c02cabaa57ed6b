// SPDX-License-Identifier: MIT
#include "class_window.h"

#include "assets/pictures/pictures.h"
#include "classroom/class_actions.h"
#include "classroom/class_figures.h"

namespace {

namespace colors = ui::colors;

constexpr double kMargin = 120;
constexpr double kGap = 120;
constexpr double kButtonHeight = 375, kButtonWidth = 1800;
constexpr double kRosterTop = 480, kRosterHeight = 2700;
constexpr double kExercisesWidth = 1800;
// The map as the debrief's: the same picture at the same scale.
constexpr double kMapWidth = 5805, kMapHeight = 5775, kMapUnits = 200;
constexpr double kLowerTop = kRosterTop + kRosterHeight + kGap + kButtonHeight + kGap + 240;
constexpr double kMapLeft = kMargin + kExercisesWidth + kGap;
constexpr double kColumnLeft = kMapLeft + kMapWidth + kGap, kColumnWidth = 7500;
constexpr double kWidth = kColumnLeft + kColumnWidth + kMargin;
constexpr double kRankingHeight = 2400, kLegendHeight = 1740;
// Sixty frames a second, as the debrief's replay.
constexpr int kFrameMs = 16;

template <class T>
T* place(ClassWindow& w, const char* name, ui::Control* parent, double left, double top,
         double width, double height, int index = -1) {
    auto& c = w.add<T>(name, index, parent);
    c.setGeometry(left, top, width, height);
    return &c;
}

ui::Button* button(ClassWindow& w, const char* name, const char* caption, double left, double top,
                   double width = kButtonWidth) {
    auto* b = place<ui::Button>(w, name, nullptr, left, top, width, kButtonHeight);
    b->setCaption(caption);
    return b;
}

ui::Label* heading(ClassWindow& w, const char* name, const char* caption, double left, double top,
                   double width) {
    auto* l = place<ui::Label>(w, name, nullptr, left, top - 240, width, 225);
    l->setCaption(caption);
    l->setFont({"Arial", 9.75, true});
    return l;
}

void buildMap(ClassWindow& w) {
    w.picMap =
        place<ui::PictureBox>(w, "picMap", nullptr, kMapLeft, kLowerTop, kMapWidth, kMapHeight);
    w.picMap->setBackColor(colors::white);
    w.picMap->setScaleWidth(kMapUnits);
    w.picMap->setScaleHeight(kMapUnits);
    w.imgAirport = place<ui::Image>(w, "imgAirport", w.picMap, 0, 0, 0, 0);
    w.imgVOR = place<ui::Image>(w, "imgVOR", w.picMap, 0, 0, 0, 0);
    w.imgVOR->setPicture(assets::vorImage());
    w.imgELT = place<ui::Image>(w, "imgELT", w.picMap, 0, 0, 0, 0);
    w.imgELT->setPicture(assets::transmitterImage());
    for (auto* image : {w.imgAirport, w.imgVOR, w.imgELT})
        image->setVisible(false);
    w.LineDS = place<ui::LineControl>(w, "LineDS", w.picMap, 0, 0, 0, 0);
    w.LineDS->setPenWidth(2);
    w.lblDS1 = place<ui::Label>(w, "lblDS1", w.picMap, 0, 0, 0, 0);
    w.lblDS1->setBackColor(colors::white);
    w.lblDS1->setAutoSize(true);
    w.clpAirport = assets::airportStrip();
    w.picMap->accessibleName = "Exercise map";
    w.picMap->accessibleDescription = "Every trainee's flight of the exercise in a colour of "
                                      "their own";
}

void buildColumn(ClassWindow& w) {
    heading(w, "lblRankingCaption", "Ranking", kColumnLeft, kLowerTop, kColumnWidth);
    w.grdRanking = place<ui::Grid>(w, "grdRanking", nullptr, kColumnLeft, kLowerTop, kColumnWidth,
                                   kRankingHeight);
    w.grdRanking->setColumns(classroom::rankingColumns());
    w.grdRanking->accessibleName = "Ranking";
    double top = kLowerTop + kRankingHeight + kGap;
    w.picLegend = place<ui::PictureBox>(w, "picLegend", nullptr, kColumnLeft, top, kColumnWidth,
                                        kLegendHeight);
    w.picLegend->setBackColor(colors::white);
    w.picLegend->accessibleName = "Legend";
    top += kLegendHeight + kGap;
    w.cmdShowHide = button(w, "cmdShowHide", "&Hide", kColumnLeft, top, 1500);
    w.cmdShowHide->accessibleDescription = "Hides the chosen trainee's flight from the map, or "
                                           "shows it again";
    w.cmdPlay = button(w, "cmdPlay", "&Play", kColumnLeft + 1620, top, 1500);
    w.cmdPlay->accessibleDescription = "Replays every trainee's flight together, or pauses";
    top += kButtonHeight + kGap;
    static constexpr const char* kSpeeds[] = {"1x", "2x", "4x", "8x"};
    for (int i = 0; i < 4; ++i) {
        auto* o = place<ui::OptionButton>(w, "optReplaySpeed", nullptr, kColumnLeft + i * 840, top,
                                          780, 285, i);
        o->setCaption(kSpeeds[i]);
        o->accessibleName = std::string("Replay speed ") + kSpeeds[i];
        o->onClick = [&w, i] { w.replay.setSpeed(1 << i); };
        w.optReplaySpeed[static_cast<std::size_t>(i)] = o;
    }
    w.optReplaySpeed[0]->setValue(true);
    top += 285 + kGap;
    w.cmdExportRanking =
        button(w, "cmdExportRanking", "Export ran&king...", kColumnLeft, top, 2340);
    w.cmdSaveMap = button(w, "cmdSaveMap", "Save &map picture...", kColumnLeft + 2460, top, 2340);
}

} // namespace

ClassWindow::ClassWindow(ui::Runtime& runtime)
    : Form(runtime, "class", ui::WindowStyle::Companion),
      traineeLogbook(runtime,
                     [](ui::Runtime& r) { return buildNamedLogbookWindow(r, "traineeLogbook"); }) {}

MapSheet ClassWindow::mapSheet() {
    return {*picMap, *LineDS, *lblDS1, *imgAirport, *imgVOR, *imgELT, clpAirport};
}

int ClassWindow::shownCount() const {
    int n = 0;
    for (bool h : hidden)
        n += !h;
    return n;
}

std::unique_ptr<ClassWindow> buildClassWindow(ui::Runtime& runtime) {
    auto window = std::make_unique<ClassWindow>(runtime);
    ClassWindow& w = *window;
    w.setCaption("Vantrel Class");
    const double bottom = kLowerTop + kMapHeight + kGap;
    w.setClientSize(kWidth, bottom + kButtonHeight + kMargin);
    w.backColor = colors::lightGrey;
    w.icon = assets::transmitterImage();

    w.lblStatus = place<ui::Label>(w, "lblStatus", nullptr, kMargin, 60, kWidth - 2 * kMargin, 240);
    heading(w, "lblRosterCaption", "Roster", kMargin, kRosterTop + 240, 3000);
    w.grdRoster = place<ui::Grid>(w, "grdRoster", nullptr, kMargin, kRosterTop + 240,
                                  kWidth - 2 * kMargin, kRosterHeight - 240);
    w.grdRoster->setColumns(classroom::rosterColumns());
    w.grdRoster->accessibleName = "Roster";
    const double rosterButtons = kRosterTop + kRosterHeight + kGap;
    w.cmdOpenLogbook = button(w, "cmdOpenLogbook", "&Open logbook", kMargin, rosterButtons);
    w.cmdExportRoster = button(w, "cmdExportRoster", "Export &roster...",
                               kMargin + kButtonWidth + kGap, rosterButtons);

    heading(w, "lblExercisesCaption", "Exercises", kMargin, kLowerTop, kExercisesWidth);
    w.grdExercises = place<ui::Grid>(w, "grdExercises", nullptr, kMargin, kLowerTop,
                                     kExercisesWidth, kMapHeight);
    w.grdExercises->setColumns({"Exercise"});
    w.grdExercises->accessibleName = "Exercises";
    heading(w, "lblMapCaption", "Map", kMapLeft, kLowerTop, kMapWidth);
    buildMap(w);
    buildColumn(w);

    w.lblExported = place<ui::Label>(w, "lblExported", nullptr, kMargin, bottom + 60,
                                     kWidth - 2 * kMargin - kButtonWidth - kGap, 285);
    w.cmdClose = button(w, "cmdClose", "&Close", kWidth - kMargin - kButtonWidth, bottom);
    w.cancelControl = w.cmdClose;
    w.tmrReplay = &w.add<ui::Timer>("tmrReplay");
    w.tmrReplay->setInterval(kFrameMs);
    w.tmrReplay->setEnabled(false);

    w.grdRoster->keyClicks = {{ui::Key::Enter, w.cmdOpenLogbook}};
    w.grdRanking->keyClicks = {{ui::Key::Enter, w.cmdShowHide}};
    w.tabOrder = {w.grdRoster,         w.cmdOpenLogbook,    w.cmdExportRoster,
                  w.grdExercises,      w.grdRanking,        w.cmdShowHide,
                  w.cmdPlay,           w.optReplaySpeed[0], w.optReplaySpeed[1],
                  w.optReplaySpeed[2], w.optReplaySpeed[3], w.cmdExportRanking,
                  w.cmdSaveMap,        w.cmdClose,          w.picMap};
    connectClassWindow(w);
    return window;
}
