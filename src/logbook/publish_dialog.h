// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_class.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <functional>
#include <memory>
#include <string>

// Where an instructor names the search layout of a Reveal before publishing it to the class.
struct PublishDialog : ui::Form {
    explicit PublishDialog(ui::Runtime& runtime)
        : Form(runtime, "publish", ui::WindowStyle::Dialog) {}

    ui::Label* lblLayout{}; // where the airport, the VOR and the ELT lie
    ui::Label* lblName{};
    ui::TextBox* txtName{};
    ui::Label* lblStatus{};
    ui::Button* cmdOK{};
    ui::Button* cmdCancel{};
};

std::unique_ptr<PublishDialog> buildPublishDialog(ui::Runtime& runtime);

// Shows `layout` and hands it, named as typed, to `publish`, closing the dialog. A name that is
// empty, or only spaces, is refused in the dialog and nothing is sent.
void connectPublishDialog(PublishDialog& d, const logbook::Exercise& layout,
                          std::function<void(const logbook::Exercise&)> publish);
