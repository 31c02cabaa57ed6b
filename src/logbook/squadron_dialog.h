// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_membership.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <memory>
#include <string>

// Where the player joins their squadron's server, tests the connection, or leaves.
struct SquadronDialog : ui::Form {
    explicit SquadronDialog(ui::Runtime& runtime)
        : Form(runtime, "squadron", ui::WindowStyle::Dialog) {}

    ui::TextBox* txtServer{};
    ui::TextBox* txtPort{};
    ui::TextBox* txtDatabase{};
    ui::TextBox* txtTrainee{};
    ui::TextBox* txtPassword{};
    ui::ComboBox* cboTlsMode{};
    ui::Label* lblTlsMode{}; // what the chosen mode does, in plain words
    ui::TextBox* txtRootCertificate{};
    ui::Label* lblKeyring{}; // shown when the password cannot be kept between runs
    ui::Label* lblStatus{};
    ui::Button* cmdTest{};
    ui::Button* cmdLeave{};
    ui::Button* cmdOK{};
    ui::Button* cmdCancel{};

    // Gone with the window: an answer arriving later finds it expired and is dropped.
    std::shared_ptr<int> alive = std::make_shared<int>(0);
};

// libpq's sslmode names the list offers, safest first; the first is the one a new squadron gets.
inline constexpr const char* kTlsModes[] = {"verify-full", "verify-ca", "require", "prefer",
                                            "disable"};

std::unique_ptr<SquadronDialog> buildSquadronDialog(ui::Runtime& runtime);

// Fills the fields from what `membership` remembers and connects the buttons to it.
void connectSquadronDialog(SquadronDialog& d, logbook::SquadronMembership& membership);

// The settings as the fields give them.
logbook::SquadronSettings dialogSettings(const SquadronDialog& d);
