// SPDX-License-Identifier: MIT
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

#include <memory>

class Game;

// Names the game, its version and its makers.
struct AboutWindow : ui::Form {
    explicit AboutWindow(ui::Runtime& runtime) : Form(runtime, "about", ui::WindowStyle::Dialog) {}

    ui::Label* Label1{};
    ui::Label* lblVersion{};
    ui::Label* Label2{};
    ui::Label* Label3{};
    ui::Button* cmdClose{};
};

std::unique_ptr<AboutWindow> buildAboutWindow(Game& game, ui::Runtime& runtime);

// Help, About: shows the window, or brings it to the front when it is open already.
void showAbout(Game& game);
