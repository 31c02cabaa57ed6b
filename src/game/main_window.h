// SPDX-License-Identifier: MIT
#pragma once

#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/sprite_strip.h"

#include <array>
#include <memory>

// The main window as laid out in the designer: the map, the three instrument frames, the row
// of buttons and the menu bar. Positions are twips in the control's container.
struct MainWindow : ui::Form {
    explicit MainWindow(ui::Runtime& runtime) : Form(runtime, "main", ui::WindowStyle::Main) {}

    ui::PictureBox* Pic1{};
    ui::Image* imgAC{};
    ui::Image* imgAirport{};
    ui::Image* imgVOR{};
    ui::Image* imgELT{};
    ui::LineControl* LineDS{};
    ui::Label* lblDS1{};

    ui::Frame* frmControls{};
    ui::Image* cmdUp{};
    ui::Image* cmdLeft{};
    ui::Image* Image1{};
    ui::Image* cmdRight{};
    ui::PictureBox* picCompass{};
    ui::Label* lblHeading{};
    ui::Label* Label5{};
    std::array<ui::OptionButton*, 2> optSpeed{};
    ui::Label* Label2{};
    ui::Label* lblACdist{};
    ui::Label* Label4{};

    ui::Frame* frmDF{};
    ui::Shape* Signal1{};
    ui::PictureBox* PicDf{};
    ui::LineControl* LineDF{};
    std::array<ui::OptionButton*, 2> optDFMode{};
    ui::Label* lblBearing{};
    ui::Label* lblDFdist{};
    ui::Label* lblDunits{};
    ui::CheckBox* chkBearing{};

    ui::Frame* frmVOR{};
    ui::Label* Label3{};
    ui::Label* lblVOR{};
    ui::Label* Label1{};
    ui::Label* lblDME{};

    ui::Button* cmdStart{};
    ui::Button* cmdHint{};
    ui::Button* cmdReveal{};
    ui::Button* cmdHelp{};
    ui::Button* cmdExit{};
    ui::Timer* Timer1{};
    ui::MultimediaControl* MMctrl{};

    ui::SpriteStrip clpAC;
    ui::SpriteStrip clpAirport;
};

// Builds the window with every control in its design-time state; no handler is connected.
std::unique_ptr<MainWindow> buildMainWindow(ui::Runtime& runtime);
