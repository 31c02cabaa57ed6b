// SPDX-License-Identifier: MIT
#include "debrief_window.h"

#include "assets/pictures/pictures.h"
#include "ui/runtime.h"

namespace {

namespace colors = ui::colors;

// The map's place and size, as the main window's map: the same picture at the same scale.
constexpr double kMapLeft = 120, kMapTop = 120, kMapWidth = 5805, kMapHeight = 5775;
constexpr double kMapUnits = 200;
constexpr double kColumnLeft = kMapLeft + kMapWidth + 120, kColumnWidth = 3600;
constexpr double kRowHeight = 285, kRowPitch = 375;
constexpr double kSearchHeight = 3735; // eight figures and the rating below its caption
constexpr double kNoteHeight = 510;    // two lines below the map
// Sixty frames a second.
constexpr int kFrameMs = 16;

template <class T>
T* place(DebriefWindow& w, const char* name, ui::Control* parent, double left, double top,
         double width, double height, int index = -1) {
    auto& c = w.add<T>(name, index, parent);
    c.setGeometry(left, top, width, height);
    return &c;
}

void buildMap(DebriefWindow& w) {
    w.picMap =
        place<ui::PictureBox>(w, "picMap", nullptr, kMapLeft, kMapTop, kMapWidth, kMapHeight);
    w.picMap->setBackColor(colors::white);
    w.picMap->setScaleWidth(kMapUnits);
    w.picMap->setScaleHeight(kMapUnits);
    w.imgAirport = place<ui::Image>(w, "imgAirport", w.picMap, 0, 0, 0, 0);
    w.imgVOR = place<ui::Image>(w, "imgVOR", w.picMap, 0, 0, 0, 0);
    w.imgVOR->setPicture(assets::vorImage());
    w.imgELT = place<ui::Image>(w, "imgELT", w.picMap, 0, 0, 0, 0);
    w.imgELT->setPicture(assets::transmitterImage());
    // Added last, so that it flies over the other symbols.
    w.imgAC = place<ui::Image>(w, "imgAC", w.picMap, 0, 0, 0, 0);
    for (auto* image : {w.imgAC, w.imgAirport, w.imgVOR, w.imgELT})
        image->setVisible(false);
    w.LineDS = place<ui::LineControl>(w, "LineDS", w.picMap, 0, 0, 0, 0);
    w.LineDS->setPenWidth(2);
    w.lblDS1 = place<ui::Label>(w, "lblDS1", w.picMap, 0, 0, 0, 0);
    w.lblDS1->setBackColor(colors::white);
    w.lblDS1->setAutoSize(true);
    w.clpAC = assets::aircraftStrip();
    w.clpAirport = assets::airportStrip();
}

// One figure: its caption on the left, its value in a box on the right, read out together.
ui::Label* figure(DebriefWindow& w, const char* name, const char* caption, int row,
                  double captionWidth = 2280) {
    const double top = 300 + row * kRowPitch;
    auto& c = w.add<ui::Label>(std::string(name) + "Caption", -1, w.frmSearch);
    c.setGeometry(120, top + 30, captionWidth, kRowHeight - 45);
    c.setCaption(caption);
    const double left = 120 + captionWidth;
    auto* v =
        place<ui::Label>(w, name, w.frmSearch, left, top, kColumnWidth - 120 - left, kRowHeight);
    v->setBorder(true);
    v->setAlignment(ui::Alignment::Right);
    v->setBackColor(colors::white);
    v->accessibleName = caption;
    v->accessibleRole = ui::AccessibleRole::Readout;
    return v;
}

void buildFigures(DebriefWindow& w) {
    w.frmSearch =
        place<ui::Frame>(w, "frmSearch", nullptr, kColumnLeft, 60, kColumnWidth, kSearchHeight);
    w.frmSearch->setCaption("This search");
    w.lblDate = figure(w, "lblDate", "Date", 0, 840);
    // The first signal as the score took it: the same figure as the results box and the Logbook.
    w.lblFirstSignal = figure(w, "lblFirstSignal", "First signal (scored)", 1);
    w.lblFlownAfterSignal = figure(w, "lblFlownAfterSignal", "Flown since first heard", 2);
    w.lblStraightLine = figure(w, "lblStraightLine", "Straight line to the ELT", 3);
    w.lblHints = figure(w, "lblHints", "Hints taken", 4);
    w.lblBearingUsed = figure(w, "lblBearingUsed", "Show Bearing used", 5);
    w.lblScore = figure(w, "lblScore", "Score", 6);
    // The rating can be a long phrase: it has a line of its own below its caption.
    auto* caption = place<ui::Label>(w, "lblRatingCaption", w.frmSearch, 120,
                                     300 + 7 * kRowPitch + 30, 2280, kRowHeight - 45);
    caption->setCaption("Rating");
    // A little taller than the figures, so that the stars of a rating are not cut off.
    w.lblRating = place<ui::Label>(w, "lblRating", w.frmSearch, 120, 300 + 8 * kRowPitch,
                                   kColumnWidth - 240, kRowHeight + 75);
    w.lblRating->setBorder(true);
    w.lblRating->setAlignment(ui::Alignment::Center);
    w.lblRating->setBackColor(colors::white);
    w.lblRating->accessibleName = "Rating";
    w.lblRating->accessibleRole = ui::AccessibleRole::Readout;
}

void buildReplayControls(DebriefWindow& w) {
    w.frmReplay = place<ui::Frame>(w, "frmReplay", nullptr, kColumnLeft, 60 + kSearchHeight + 120,
                                   kColumnWidth, 1500);
    w.frmReplay->setCaption("Replay");
    w.cmdPlay = place<ui::Button>(w, "cmdPlay", w.frmReplay, 120, 300, 1500, 420);
    w.cmdPlay->setCaption("&Play");
    w.cmdPlay->accessibleDescription = "Replays the flight on the map, or pauses the replay";
    auto* speed = place<ui::Label>(w, "lblSpeedCaption", w.frmReplay, 120, 840, 1500, 240);
    speed->setCaption("Speed");
    static constexpr const char* kSpeeds[] = {"1x", "2x", "4x", "8x"};
    for (int i = 0; i < 4; ++i) {
        auto* o = place<ui::OptionButton>(w, "optReplaySpeed", w.frmReplay, 120 + i * 840, 1080,
                                          780, kRowHeight, i);
        o->setCaption(kSpeeds[i]);
        o->accessibleName = std::string("Replay speed ") + kSpeeds[i];
        o->onClick = [&w, i] { w.replay.setSpeed(1 << i); };
        w.optReplaySpeed[static_cast<std::size_t>(i)] = o;
    }
    w.optReplaySpeed[0]->setValue(true);
    w.tmrReplay = &w.add<ui::Timer>("tmrReplay");
    w.tmrReplay->setInterval(kFrameMs);
    w.tmrReplay->setEnabled(false);
    w.tmrReplay->onTick = [&w] { w.replayTick(); };
    w.cmdPlay->onClick = [&w] { w.playOrPause(); };
}

} // namespace

MapSheet DebriefWindow::mapSheet() {
    return {*picMap, *LineDS, *lblDS1, *imgAirport, *imgVOR, *imgELT, clpAirport};
}

void DebriefWindow::playOrPause() {
    if (replay.playing()) {
        replay.pause();
    } else {
        replay.play();
        frameClock.start(runtime().clock());
    }
    showReplay();
}

void DebriefWindow::replayTick() {
    replay.advance(frameClock.elapsed(runtime().clock()));
    showReplay();
}

void DebriefWindow::showReplay() {
    tmrReplay->setEnabled(replay.playing());
    // A search of no steps has nothing to replay.
    cmdPlay->setEnabled(replay.track().size() > 1);
    cmdPlay->setCaption(replay.playing() ? "&Pause" : "&Play");
    const auto pose = replay.pose();
    imgAC->setVisible(pose.has_value());
    if (!pose) return;
    const int cell = debrief::aircraftCell(pose->heading);
    if (cell != aircraftCellShown) {
        // A new picture only when the heading turns: most frames only move the symbol.
        imgAC->setPicture(clpAC.cell(cell));
        aircraftCellShown = cell;
    }
    imgAC->setLeft(pose->x - imgAC->width() / 2);
    imgAC->setTop(pose->y - imgAC->height() / 2);
}

std::unique_ptr<DebriefWindow> buildDebriefWindow(ui::Runtime& runtime) {
    auto window = std::make_unique<DebriefWindow>(runtime);
    DebriefWindow& w = *window;
    w.setCaption("Vantrel Debrief");
    w.setClientSize(kColumnLeft + kColumnWidth + 120, kMapTop + kMapHeight + 60 + kNoteHeight + 60);
    w.backColor = colors::lightGrey;
    w.icon = assets::transmitterImage();
    buildMap(w);
    buildFigures(w);
    buildReplayControls(w);
    w.lblSignalNote = place<ui::Label>(w, "lblSignalNote", nullptr, kMapLeft,
                                       kMapTop + kMapHeight + 60, kMapWidth, kNoteHeight);
    w.cmdClose = place<ui::Button>(w, "cmdClose", nullptr, kColumnLeft + kColumnWidth - 1500,
                                   kMapTop + kMapHeight - 420, 1500, 420);
    w.cmdClose->setCaption("Close");
    w.cmdClose->onClick = [&w] { w.unload(); };
    w.cancelControl = w.cmdClose;

    w.picMap->accessibleName = "Debrief map";
    w.picMap->accessibleDescription = "The search flown: the track, where the ELT was first "
                                      "heard, each Reveal and the ELT";
    w.tabOrder = {w.cmdPlay,
                  w.optReplaySpeed[0],
                  w.optReplaySpeed[1],
                  w.optReplaySpeed[2],
                  w.optReplaySpeed[3],
                  w.cmdClose,
                  w.picMap};
    return window;
}
