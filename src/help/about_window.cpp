// SPDX-License-Identifier: MIT
#include "about_window.h"

#include "vantrel_version.h"

#include <string>

std::unique_ptr<AboutWindow> buildAboutWindow(ui::Runtime& runtime, std::function<void()> closed) {
    auto about = std::make_unique<AboutWindow>(runtime);
    AboutWindow& a = *about;
    a.setCaption("About");
    a.backColor = ui::colors::purple;
    a.setClientSize(4320, 1980);
    a.helpContextId = 250;
    auto line = [&a](const char* name, const std::string& text, double top, double height,
                     const ui::Font& f) {
        auto& l = a.add<ui::Label>(name);
        l.setGeometry(120, top, 4095, height);
        l.setCaption(text);
        l.setAlignment(ui::Alignment::Center);
        l.setForeColor(ui::colors::white);
        l.setBackColor(ui::colors::purple);
        l.setFont(f);
        return &l;
    };
    a.Label1 = line("Label1", "Vantrel", 90, 345, {"Arial", 15.75, true, true});
    a.lblVersion = line("lblVersion", "Version " + std::string(vantrel::version), 510, 285,
                        {"Arial", 12, false, true});
    a.Label2 = line("Label2", "Written by the Vantrel developers", 810, 285, {"Arial", 12});
    a.Label3 =
        line("Label3", "For search-and-rescue pilots in training", 1140, 285, {"Arial", 9.75});
    a.cmdClose = &a.add<ui::Button>("cmdClose");
    a.cmdClose->setCaption("Close");
    a.cmdClose->setGeometry(1404, 1500, 1245, 375);
    a.tabOrder = {a.cmdClose};
    a.cancelControl = a.cmdClose;

    a.cmdClose->onClick = [&a] { a.unload(); };
    a.onUnload = std::move(closed);
    return about;
}
