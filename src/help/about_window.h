// SPDX-License-Identifier: MIT
#pragma once

#include "ui/controls.h"
#include "ui/form.h"

#include <functional>
#include <memory>

// Names the game, its version and its makers.
struct AboutWindow : ui::Form {
    explicit AboutWindow(ui::Runtime& runtime) : Form(runtime, "about", ui::WindowStyle::Dialog) {}

    ui::Label* Label1{};
    ui::Label* lblVersion{};
    ui::Label* Label2{};
    ui::Label* Label3{};
    ui::Button* cmdClose{};
};

// Builds the window; `closed` runs when it closes.
std::unique_ptr<AboutWindow> buildAboutWindow(ui::Runtime& runtime, std::function<void()> closed);
