// SPDX-License-Identifier: MIT
#include "search_help_dialog.h"

std::unique_ptr<SearchHelpDialog> buildSearchHelpDialog(ui::Runtime& runtime,
                                                        SearchHelpCalls calls) {
    auto dialog = std::make_unique<SearchHelpDialog>(runtime);
    SearchHelpDialog& d = *dialog;
    d.setCaption("Vantrel Help");
    d.backColor = ui::Color{255, 255, 192};
    d.setClientSize(3885, 600);
    auto button = [&d](const char* name, const char* caption, double left) {
        auto& b = d.add<ui::Button>(name);
        b.setCaption(caption);
        b.setGeometry(left, 24, 1245, 525);
        return &b;
    };
    d.cmdDemo = button("cmdDemo", "Demo", 24);
    d.cmdHelpFile = button("cmdHelpFile", "Instructions", 1296);
    d.cmdCancel = button("cmdCancel", "Cancel", 2592);
    d.tabOrder = {d.cmdDemo, d.cmdHelpFile, d.cmdCancel};
    d.cancelControl = d.cmdCancel;

    d.cmdDemo->onClick = std::move(calls.demonstrate);
    d.cmdHelpFile->onClick = [&d, open = std::move(calls.openInstructions)] {
        d.hide();
        open();
    };
    d.cmdCancel->onClick = [&d] { d.unload(); };
    d.onUnload = std::move(calls.closed);
    return dialog;
}

void prepareSearchHelp(SearchHelpDialog& d, const ui::Form& owner) {
    d.setLeft(owner.left() + 600);
    d.setTop(owner.top() + 600);
    for (auto* b : {d.cmdDemo, d.cmdHelpFile, d.cmdCancel})
        b->setVisible(true);
}

void putAwayForDemonstration(SearchHelpDialog& d) {
    d.hide();
    for (auto* b : {d.cmdDemo, d.cmdHelpFile, d.cmdCancel})
        b->setVisible(false);
}
