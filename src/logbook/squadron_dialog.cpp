// SPDX-License-Identifier: MIT
#include "squadron_dialog.h"

#include "ui/host.h"
#include "ui/runtime.h"

#include <array>
#include <iterator>

namespace {

constexpr double kMargin = 180, kField = 2100, kFieldWidth = 4320, kRow = 420, kBox = 330;

constexpr std::array<const char*, std::size(kTlsModes)> kTlsWords{
    "Encrypted; checks the server's certificate and its name. The safest.",
    "Encrypted; checks the certificate, but not the server's name.",
    "Encrypted, but does not check who answers.",
    "Encrypted when the server offers it, otherwise not.",
    "Not encrypted: anyone on the network can read what is sent.",
};

bool isSocketFolder(const std::string& server) {
    return !server.empty() && server.front() == '/';
}

ui::TextBox& field(SquadronDialog& d, const char* name, const char* label, double top,
                   double width = kFieldWidth) {
    auto& l = d.add<ui::Label>(std::string("lbl") + (name + 3));
    l.setCaption(label);
    l.setGeometry(kMargin, top + 45, kField - kMargin - 60, kBox);
    auto& t = d.add<ui::TextBox>(name);
    t.setGeometry(kField, top, width, kBox);
    t.accessibleName = label;
    return t;
}

ui::Button& button(SquadronDialog& d, const char* name, const char* caption, double left,
                   double width) {
    auto& b = d.add<ui::Button>(name);
    b.setCaption(caption);
    b.setGeometry(left, 4980, width, 375);
    return b;
}

int tlsIndex(const std::string& mode) {
    for (std::size_t i = 0; i < std::size(kTlsModes); ++i)
        if (mode == kTlsModes[i]) return static_cast<int>(i);
    return 0;
}

// A socket folder is this computer: nothing travels a network, so TLS has nothing to do.
void showTlsMode(SquadronDialog& d) {
    const bool local = isSocketFolder(d.txtServer->text());
    d.cboTlsMode->setEnabled(!local);
    d.txtRootCertificate->setEnabled(!local);
    const int i = d.cboTlsMode->listIndex();
    d.lblTlsMode->setCaption(local   ? "A socket folder on this computer: TLS does not apply."
                             : i < 0 ? ""
                                     : kTlsWords[static_cast<std::size_t>(i)]);
}

std::string standing(logbook::SquadronMembership& m) {
    const auto s = m.settings();
    if (!s.joined()) return "Not in a squadron.";
    std::string words = "In the squadron as " + s.trainee + " on " + s.server + ".";
    if (!m.passwordKnown()) words += " No password is known: type it and press OK.";
    return words;
}

void fill(SquadronDialog& d, logbook::SquadronMembership& m) {
    const auto s = m.settings();
    d.txtServer->setText(s.server);
    d.txtPort->setText(s.port);
    d.txtDatabase->setText(s.database);
    d.txtTrainee->setText(s.trainee);
    d.txtPassword->setText("");
    d.cboTlsMode->setListIndex(tlsIndex(s.tlsMode));
    d.txtRootCertificate->setText(s.rootCertificate);
    const std::string problem = m.keyringProblem();
    d.lblKeyring->setCaption(problem);
    d.lblKeyring->setVisible(!problem.empty());
    d.lblStatus->setCaption(standing(m));
    d.cmdLeave->setEnabled(s.joined());
    showTlsMode(d);
}

} // namespace

std::unique_ptr<SquadronDialog> buildSquadronDialog(ui::Runtime& runtime) {
    auto dialog = std::make_unique<SquadronDialog>(runtime);
    SquadronDialog& d = *dialog;
    d.setCaption("Squadron");
    d.setClientSize(6600, 5535);
    d.txtServer = &field(d, "txtServer", "Server:", 180);
    d.txtServer->toolTip = "The server's name or address, or the folder of its socket";
    d.txtPort = &field(d, "txtPort", "Port:", 180 + kRow, 1200);
    d.txtPort->toolTip = "Leave empty for the usual port, 5432";
    d.txtDatabase = &field(d, "txtDatabase", "Database:", 180 + 2 * kRow);
    d.txtTrainee = &field(d, "txtTrainee", "Trainee name:", 180 + 3 * kRow);
    d.txtPassword = &field(d, "txtPassword", "Password:", 180 + 4 * kRow);
    d.txtPassword->setPasswordChar("*");
    d.txtPassword->toolTip = "Leave empty to keep the password already known";

    auto& tlsLabel = d.add<ui::Label>("lblTls");
    tlsLabel.setCaption("TLS:");
    tlsLabel.setGeometry(kMargin, 180 + 5 * kRow + 45, kField - kMargin - 60, kBox);
    d.cboTlsMode = &d.add<ui::ComboBox>("cboTlsMode");
    d.cboTlsMode->setGeometry(kField, 180 + 5 * kRow, 2400, kBox);
    d.cboTlsMode->setItems({std::begin(kTlsModes), std::end(kTlsModes)});
    d.cboTlsMode->accessibleName = "TLS";
    d.cboTlsMode->setListIndex(0);
    d.lblTlsMode = &d.add<ui::Label>("lblTlsMode");
    d.lblTlsMode->setGeometry(kField, 180 + 6 * kRow - 30, kFieldWidth, 2 * 225);

    d.txtRootCertificate = &field(d, "txtRootCertificate", "Root certificate:", 3210);
    d.txtRootCertificate->accessibleName = "Root certificate file";
    auto& certNote = d.add<ui::Label>("lblCertificateNote");
    certNote.setCaption("The file your instructor gave you, if any.");
    certNote.setGeometry(kField, 3570, kFieldWidth, 240);

    d.lblKeyring = &d.add<ui::Label>("lblKeyring");
    d.lblKeyring->setGeometry(kMargin, 3900, 6600 - 2 * kMargin, 450);
    d.lblKeyring->setVisible(false);
    d.lblStatus = &d.add<ui::Label>("lblStatus");
    d.lblStatus->setGeometry(kMargin, 4410, 6600 - 2 * kMargin, 450);
    d.lblStatus->setBorder(true);
    d.lblStatus->accessibleRole = ui::AccessibleRole::Readout;
    d.lblStatus->accessibleName = "Squadron status";

    d.cmdTest = &button(d, "cmdTest", "&Test connection", kMargin, 1800);
    d.cmdLeave = &button(d, "cmdLeave", "&Leave squadron", kMargin + 1920, 1800);
    d.cmdOK = &button(d, "cmdOK", "OK", 6600 - kMargin - 2 * 1080 - 120, 1080);
    d.cmdCancel = &button(d, "cmdCancel", "Cancel", 6600 - kMargin - 1080, 1080);

    d.tabOrder = {d.txtServer,   d.txtPort,    d.txtDatabase,        d.txtTrainee,
                  d.txtPassword, d.cboTlsMode, d.txtRootCertificate, d.cmdTest,
                  d.cmdLeave,    d.cmdOK,      d.cmdCancel};
    d.cancelControl = d.cmdCancel;
    for (ui::TextBox* t :
         {d.txtServer, d.txtPort, d.txtDatabase, d.txtTrainee, d.txtPassword, d.txtRootCertificate})
        t->keyClicks = {{ui::Key::Enter, d.cmdOK}};
    d.cboTlsMode->keyClicks = {{ui::Key::Enter, d.cmdOK}};
    d.cboTlsMode->onClick = [&d] { showTlsMode(d); };
    d.txtServer->onChange = [&d] { showTlsMode(d); };
    d.cmdCancel->onClick = [&d] { d.unload(); };
    return dialog;
}

logbook::SquadronSettings dialogSettings(const SquadronDialog& d) {
    const int i = d.cboTlsMode->listIndex();
    return {d.txtServer->text(),  d.txtPort->text(),        d.txtDatabase->text(),
            d.txtTrainee->text(), kTlsModes[i < 0 ? 0 : i], d.txtRootCertificate->text()};
}

void connectSquadronDialog(SquadronDialog& d, logbook::SquadronMembership& m) {
    fill(d, m);
    d.cmdTest->onClick = [&d, &m] {
        d.cmdTest->setEnabled(false);
        d.lblStatus->setCaption("Testing the connection...");
        std::weak_ptr<int> alive = d.alive;
        m.test(dialogSettings(d), d.txtPassword->text(),
               [&d, alive](bool, const std::string& words) {
                   if (alive.expired()) return;
                   d.lblStatus->setCaption(words);
                   d.cmdTest->setEnabled(true);
               });
    };
    d.cmdOK->onClick = [&d, &m] {
        const auto s = dialogSettings(d);
        if (!s.joined()) {
            d.lblStatus->setCaption("Give the server and your trainee name, or press Cancel.");
            return;
        }
        m.join(s, d.txtPassword->text());
        d.unload();
    };
    d.cmdLeave->onClick = [&d, &m] {
        const int answer = d.runtime().messageBox(
            "Leave the squadron? Your records stay in your logbook but are no longer sent.",
            ui::msgbox::okCancel | ui::msgbox::defaultSecond, "Squadron");
        if (answer != ui::msgbox::ok) return;
        m.leave();
        fill(d, m);
    };
}
