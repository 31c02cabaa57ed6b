// SPDX-License-Identifier: MIT
#include "publish_dialog.h"

#include <utility>

namespace {

constexpr double kMargin = 180, kWidth = 5400, kInner = kWidth - 2 * kMargin;

std::string at(std::int16_t x, std::int16_t y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// A name as the player typed it, without the spaces around it.
std::string trimmedName(const std::string& typed) {
    const auto first = typed.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return typed.substr(first, typed.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

std::unique_ptr<PublishDialog> buildPublishDialog(ui::Runtime& runtime) {
    auto dialog = std::make_unique<PublishDialog>(runtime);
    PublishDialog& d = *dialog;
    d.setCaption("Publish as Exercise");
    d.setClientSize(kWidth, 2235);
    d.lblLayout = &d.add<ui::Label>("lblLayout");
    d.lblLayout->setGeometry(kMargin, 150, kInner, 450);
    d.lblName = &d.add<ui::Label>("lblName");
    d.lblName->setCaption("Name:");
    d.lblName->setGeometry(kMargin, 795, 900, 330);
    d.txtName = &d.add<ui::TextBox>("txtName");
    d.txtName->setGeometry(kMargin + 960, 750, kInner - 960, 330);
    d.txtName->accessibleName = "Name of the exercise";
    d.txtName->toolTip = "The name the class sees in Game, Exercises...";
    d.lblStatus = &d.add<ui::Label>("lblStatus");
    d.lblStatus->setGeometry(kMargin, 1230, kInner, 300);
    d.lblStatus->accessibleRole = ui::AccessibleRole::Readout;
    d.lblStatus->accessibleName = "Publishing status";
    d.cmdCancel = &d.add<ui::Button>("cmdCancel");
    d.cmdCancel->setCaption("Cancel");
    d.cmdCancel->setGeometry(kWidth - kMargin - 1080, 1680, 1080, 375);
    d.cmdOK = &d.add<ui::Button>("cmdOK");
    d.cmdOK->setCaption("&Publish");
    d.cmdOK->setGeometry(kWidth - kMargin - 2 * 1080 - 120, 1680, 1080, 375);

    d.tabOrder = {d.txtName, d.cmdOK, d.cmdCancel};
    d.cancelControl = d.cmdCancel;
    d.txtName->keyClicks = {{ui::Key::Enter, d.cmdOK}};
    d.cmdCancel->onClick = [&d] { d.unload(); };
    return dialog;
}

void connectPublishDialog(PublishDialog& d, const logbook::Exercise& layout,
                          std::function<void(const logbook::Exercise&)> publish) {
    d.lblLayout->setCaption("The airport at " + at(layout.airportX, layout.airportY) +
                            ", the VOR at " + at(layout.vorX, layout.vorY) + " and the ELT at " +
                            at(layout.eltX, layout.eltY) + ", as in the chosen Reveal.");
    d.txtName->setText(layout.name);
    d.lblStatus->setCaption("The class sees the exercise by this name.");
    d.cmdOK->onClick = [&d, layout, publish = std::move(publish)] {
        logbook::Exercise named = layout;
        named.name = trimmedName(d.txtName->text());
        if (named.name.empty()) {
            d.lblStatus->setCaption("Give the exercise a name.");
            return;
        }
        publish(named);
        d.unload();
    };
}
