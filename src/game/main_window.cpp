// SPDX-License-Identifier: MIT
#include "main_window.h"

#include "assets/pictures/pictures.h"
#include "game/class_menu.h"

namespace {

using ui::Alignment;
namespace colors = ui::colors;

ui::Font arial(double points, bool bold = false) {
    return {"Arial", points, bold, false};
}

template <class T>
T* place(MainWindow& w, const char* name, ui::Control* parent, double left, double top,
         double width, double height, int index = -1) {
    auto& c = w.add<T>(name, index, parent);
    c.setGeometry(left, top, width, height);
    return &c;
}

ui::Label* label(MainWindow& w, const char* name, ui::Control* parent, const char* caption,
                 double left, double top, double width, double height) {
    auto* l = place<ui::Label>(w, name, parent, left, top, width, height);
    l->setCaption(caption);
    return l;
}

// A value box: a label with a single border, its text aligned as given.
ui::Label* readout(MainWindow& w, const char* name, ui::Control* parent, const char* caption,
                   double left, double top, double width, double height, Alignment align) {
    auto* l = label(w, name, parent, caption, left, top, width, height);
    l->setBorder(true);
    l->setAlignment(align);
    l->setBackColor(colors::white);
    return l;
}

ui::Image* arrow(MainWindow& w, const char* name, const ui::Picture& picture, double left,
                 double top) {
    auto* image = place<ui::Image>(w, name, w.frmControls, left, top, 345, 375);
    image->setStretch(true);
    image->setPicture(picture);
    return image;
}

ui::Button* button(MainWindow& w, const char* name, const char* caption, double left,
                   double width) {
    auto* b = place<ui::Button>(w, name, nullptr, left, 5835, width, 540);
    b->setCaption(caption);
    return b;
}

void buildMap(MainWindow& w) {
    w.Pic1 = place<ui::PictureBox>(w, "Pic1", nullptr, 60, 30, 5805, 5775);
    w.Pic1->setBackColor(colors::white);
    w.imgAC = place<ui::Image>(w, "imgAC", w.Pic1, 0, 0, 0, 0);
    w.imgAirport = place<ui::Image>(w, "imgAirport", w.Pic1, 0, 0, 0, 0);
    w.imgVOR = place<ui::Image>(w, "imgVOR", w.Pic1, 0, 0, 0, 0);
    w.imgVOR->setPicture(assets::vorImage());
    w.imgELT = place<ui::Image>(w, "imgELT", w.Pic1, 0, 0, 0, 0);
    w.imgELT->setPicture(assets::transmitterImage());
    for (auto* image : {w.imgAC, w.imgAirport, w.imgVOR, w.imgELT})
        image->setVisible(false);
    w.LineDS = place<ui::LineControl>(w, "LineDS", w.Pic1, 0, 0, 0, 0);
    w.LineDS->setPenWidth(2);
    w.lblDS1 = place<ui::Label>(w, "lblDS1", w.Pic1, 0, 0, 0, 0);
    w.lblDS1->setBackColor(colors::white);
    w.lblDS1->setAutoSize(true);
    w.lblDS1->setCaption("10");
    w.clpAC = assets::aircraftStrip();
    w.clpAirport = assets::airportStrip();
}

void buildAircraftFrame(MainWindow& w) {
    w.frmControls = place<ui::Frame>(w, "frmControls", nullptr, 5970, 30, 1635, 3105);
    w.frmControls->setCaption("Aircraft");
    auto* frame = w.frmControls;
    w.cmdUp = arrow(w, "cmdUp", assets::arrowUp(), 630, 210);
    w.cmdLeft = arrow(w, "cmdLeft", assets::arrowLeft(), 150, 630);
    w.Image1 = place<ui::Image>(w, "Image1", frame, 570, 630, 480, 480);
    w.Image1->setPicture(assets::aircraftImage());
    w.cmdRight = arrow(w, "cmdRight", assets::arrowRight(), 1110, 630);

    w.picCompass = place<ui::PictureBox>(w, "picCompass", frame, 180, 1140, 1245, 525);
    w.picCompass->setBackColor(colors::black);
    w.lblHeading = label(w, "lblHeading", w.picCompass, "0", 270, 0, 615, 330);
    w.lblHeading->setAlignment(Alignment::Center);
    w.lblHeading->setForeColor(colors::white);
    w.lblHeading->setBackColor(colors::black);
    w.lblHeading->setFont(arial(14.25, true));

    w.Label5 = label(w, "Label5", frame, "Speed: ", 150, 1740, 615, 240);
    w.optSpeed[0] = place<ui::OptionButton>(w, "optSpeed", frame, 480, 1950, 885, 240, 0);
    w.optSpeed[0]->setCaption("Cruise");
    w.optSpeed[1] = place<ui::OptionButton>(w, "optSpeed", frame, 480, 2160, 915, 240, 1);
    w.optSpeed[1]->setCaption("Search");
    w.optSpeed[0]->setValue(true);
    w.Label2 = label(w, "Label2", frame, "DistanceTraveled", 60, 2460, 1515, 240);
    w.lblACdist = readout(w, "lblACdist", frame, "0", 240, 2730, 735, 285, Alignment::Right);
    w.Label4 = label(w, "Label4", frame, "nm", 1050, 2730, 270, 240);
}

void buildDfFrame(MainWindow& w) {
    w.frmDF = place<ui::Frame>(w, "frmDF", nullptr, 5970, 3180, 1635, 1995);
    w.frmDF->setCaption("DF Unit");
    auto* frame = w.frmDF;
    w.Signal1 = place<ui::Shape>(w, "Signal1", frame, 1380, 120, 285, 195);
    w.PicDf = place<ui::PictureBox>(w, "PicDf", frame, 180, 330, 1275, 405);
    w.PicDf->setBackColor(colors::grey);
    w.LineDF = place<ui::LineControl>(w, "LineDF", w.PicDf, 0, 0, 0, 0);
    w.LineDF->setEnds(630, 0, 630, 330);
    w.LineDF->setColor(colors::darkRed);
    w.LineDF->setPenWidth(5);
    w.optDFMode[0] = place<ui::OptionButton>(w, "optDFMode", frame, 110, 780, 645, 240, 0);
    w.optDFMode[0]->setCaption("DF");
    w.optDFMode[1] = place<ui::OptionButton>(w, "optDFMode", frame, 690, 780, 915, 240, 1);
    w.optDFMode[1]->setCaption("Signal");
    w.optDFMode[0]->setValue(true);
    w.lblBearing = readout(w, "lblBearing", frame, "", 180, 1080, 1305, 285, Alignment::Center);
    w.lblDFdist = readout(w, "lblDFdist", frame, "", 180, 1380, 795, 285, Alignment::Center);
    w.lblDunits = label(w, "lblDunits", frame, "nm", 1020, 1410, 270, 240);
    for (auto* hidden : {w.lblBearing, w.lblDFdist, w.lblDunits})
        hidden->setVisible(false);
    w.chkBearing = place<ui::CheckBox>(w, "chkBearing", frame, 60, 1650, 1545, 285);
    w.chkBearing->setCaption("Show Bearing");
}

void buildVorFrame(MainWindow& w) {
    w.frmVOR = place<ui::Frame>(w, "frmVOR", nullptr, 5970, 5250, 1635, 1065);
    w.frmVOR->setCaption("VOR/DME");
    auto* frame = w.frmVOR;
    w.Label3 = label(w, "Label3", frame, "Radial", 120, 300, 540, 240);
    w.lblVOR = readout(w, "lblVOR", frame, "0", 750, 270, 645, 345, Alignment::Center);
    w.Label1 = label(w, "Label1", frame, "DME", 120, 660, 435, 240);
    w.lblDME = readout(w, "lblDME", frame, "0", 750, 630, 645, 345, Alignment::Right);
    for (auto* value : {w.lblVOR, w.lblDME}) {
        value->setForeColor(colors::white);
        value->setBackColor(colors::darkGrey);
        value->setFont(arial(9.75, true));
    }
}

void buildButtons(MainWindow& w) {
    w.cmdStart = button(w, "cmdStart", "New Search", 60, 1150);
    w.cmdStart->setTag("N");
    w.cmdHint = button(w, "cmdHint", "Hint", 1230, 1150);
    w.cmdReveal = button(w, "cmdReveal", "Reveal", 2400, 1150);
    w.cmdReveal->setEnabled(false);
    w.cmdHelp = button(w, "cmdHelp", "Help", 3570, 1150);
    w.cmdExit = button(w, "cmdExit", "Exit", 4740, 1125);

    w.Timer1 = &w.add<ui::Timer>("Timer1");
    w.Timer1->setInterval(1000);
    w.MMctrl = &w.add<ui::MultimediaControl>("MMctrl");
    w.MMctrl->deviceType = "WaveAudio";
    w.MMctrl->setVisible(false);
}

void buildMenus(MainWindow& w) {
    using ui::menuChoice, ui::menuCommand, ui::menuSeparator;
    w.menus = {
        {"mnuGame",
         "&Game",
         {menuCommand("mnuNewGame", "&New Search"), menuCommand("mnuHint", "H&int"),
          menuCommand("mnuReveal", "&Reveal"), menuSeparator(),
          menuCommand("mnuDebrief", "&Debrief"), menuCommand("mnuLogbook", "&Logbook..."),
          menuCommand("mnuSquadron", "S&quadron..."), menuCommand("mnuExercises", "E&xercises..."),
          classMenuItem(), menuSeparator(),
          ui::submenu("mnuAudio", "Receiver &Audio",
                      {menuChoice("mnuAudioOff", "&Off"), menuChoice("mnuAudioClassic", "&Classic"),
                       menuChoice("mnuAudioContinuous", "Co&ntinuous")}),
          menuSeparator(), menuCommand("mnuExit", "&Exit")}},
        {"mnuView",
         "&View",
         {menuCommand("mnuZoomIn", "Zoom &In", {"Ctrl++", "Ctrl+=", "Ctrl+Num++"}),
          menuCommand("mnuZoomOut", "Zoom &Out", {"Ctrl+-", "Ctrl+Num+-"}), menuSeparator(),
          menuChoice("mnuZoom100", "&100 %", {"Ctrl+0", "Ctrl+Num+0"}),
          menuChoice("mnuZoom150", "1&50 %"), menuChoice("mnuZoom200", "&200 %"),
          menuChoice("mnuZoom300", "&300 %"), menuSeparator(),
          menuCommand("mnuZoomFit", "&Fit to Screen")}},
        {"mnuHelp",
         "&Help",
         {menuCommand("mnuContents", "&Contents"), menuCommand("mnuSearchHelp", "&Search Help"),
          menuCommand("mnuAbout", "&About")}},
    };
    // Every window of the game is drawn at the zoom, and so each takes the zoom's keys.
    for (auto& item : w.menus[1].items)
        item.everyWindow = true;
}

// Explanations the demonstration does not show, as tool tips on what they speak of.
void setToolTips(MainWindow& w) {
    w.cmdReveal->toolTip = " The object is to place the aircraft as close to the ELT as possible "
                           "then click Reveal ";
    w.lblDME->toolTip = " The VOR station and readout is used in the hints ";
    w.frmVOR->toolTip = w.lblDME->toolTip;
    w.picCompass->toolTip =
        " The compass shows which direction you are headed, North is at the top of the map.";
    for (auto* speed : w.optSpeed)
        speed->toolTip = " The 'speed' determines how far the aircraft moves with each click. ";
    w.chkBearing->toolTip = " You can click 'Show Bearing' to tell you where the ELT is relative "
                            "to your position, but this penalizes your score. ";
    w.lblVOR->toolTip = " A radial is the direction of a line running outward from the VOR "
                        "station. Four radials are shown on the circle around the VOR station. "
                        "Each corresponds to the magnetic heading away from the VOR. ";
}

// What assistive technology says of the controls whose look alone tells what they are.
void setAccessibleNames(MainWindow& w) {
    auto name = [](ui::Control* c, const char* text, const char* description) {
        c->accessibleName = text;
        c->accessibleDescription = description;
    };
    name(w.cmdUp, "Forward", "Fly one step straight on");
    name(w.cmdLeft, "Turn left", "Turn 45 degrees to the left, then fly one step");
    name(w.cmdRight, "Turn right", "Turn 45 degrees to the right, then fly one step");
    name(w.Image1, "Aircraft", "");
    name(w.Pic1, "Map", "The search area with the airport, the VOR and your aircraft");
    name(w.picCompass, "Compass", "The heading of the aircraft in degrees");
    name(w.PicDf, "DF needle",
         "In DF mode it swings towards the side the ELT is on; in Signal mode it moves right as "
         "the signal grows");
    name(w.Signal1, "No signal", "The signal indicator, red while the ELT is heard");
    name(w.lblHeading, "Heading", "Degrees clockwise from north");
    name(w.lblACdist, "Distance flown", "Nautical miles flown in this search");
    name(w.lblVOR, "Radial", "The radial of the VOR the aircraft is on");
    name(w.lblDME, "DME", "Nautical miles from the VOR");
    name(w.lblBearing, "Bearing to the ELT", "");
    name(w.lblDFdist, "Distance to the ELT", "Nautical miles");
    // The readings speak through their captions, the light through its name and the needle
    // through its value (the DF unit keeps the last two up to date).
    for (ui::Control* readout :
         {w.lblHeading, w.lblACdist, w.lblVOR, w.lblDME, w.lblBearing, w.lblDFdist})
        readout->accessibleRole = ui::AccessibleRole::Readout;
    w.Signal1->accessibleRole = ui::AccessibleRole::Status;
    w.PicDf->accessibleRole = ui::AccessibleRole::Gauge;
}

void setHelpTopics(MainWindow& w) {
    w.helpContextId = 10;
    w.cmdStart->helpContextId = 10;
    w.cmdHint->helpContextId = 20;
    w.cmdReveal->helpContextId = 30;
    w.cmdHelp->helpContextId = 40;
    w.cmdExit->helpContextId = 50;
    w.optSpeed[0]->helpContextId = 60;
    w.optSpeed[1]->helpContextId = 70;
    w.optDFMode[0]->helpContextId = 80;
    w.optDFMode[1]->helpContextId = 90;
    w.chkBearing->helpContextId = 100;
}

} // namespace

std::unique_ptr<MainWindow> buildMainWindow(ui::Runtime& runtime) {
    auto w = std::make_unique<MainWindow>(runtime);
    w->setCaption("Vantrel");
    w->setClientSize(7680, 6390);
    w->backColor = colors::lightGrey;
    w->icon = assets::transmitterImage();
    buildMap(*w);
    buildAircraftFrame(*w);
    buildDfFrame(*w);
    buildVorFrame(*w);
    buildButtons(*w);
    buildMenus(*w);
    setHelpTopics(*w);
    setToolTips(*w);
    setAccessibleNames(*w);
    w->tabOrder = {w->cmdExit,      w->cmdStart,     w->cmdHelp,     w->cmdReveal,
                   w->chkBearing,   w->optSpeed[0],  w->optSpeed[1], w->cmdHint,
                   w->optDFMode[0], w->optDFMode[1], w->Pic1};
    // A player without a mouse flies from the map with the arrow keys.
    w->Pic1->keyClicks = {
        {ui::Key::Up, w->cmdUp}, {ui::Key::Left, w->cmdLeft}, {ui::Key::Right, w->cmdRight}};
    return w;
}
