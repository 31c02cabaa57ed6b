// SPDX-License-Identifier: MIT
#include "exercises_dialog.h"

#include <utility>

namespace {

constexpr double kMargin = 120, kWidth = 5400, kInner = kWidth - 2 * kMargin;

void showExercises(ExercisesDialog& d, std::vector<logbook::Exercise> exercises) {
    std::vector<std::vector<ui::GridCell>> rows;
    double order = 0;
    for (const auto& e : exercises)
        rows.push_back({{e.name, order++}});
    d.shown = std::move(exercises);
    d.grdExercises->setRows(std::move(rows));
    d.cmdFly->setEnabled(false);
    const std::size_t n = d.shown.size();
    d.lblStatus->setCaption(n == 0   ? "Your squadron has published no exercise yet."
                            : n == 1 ? "1 exercise. Choose it, then Fly this exercise."
                                     : std::to_string(n) +
                                           " exercises. Choose one, then Fly this exercise.");
}

} // namespace

std::unique_ptr<ExercisesDialog> buildExercisesDialog(ui::Runtime& runtime) {
    auto dialog = std::make_unique<ExercisesDialog>(runtime);
    ExercisesDialog& d = *dialog;
    d.setCaption("Exercises");
    d.setClientSize(kWidth, 4215);
    d.lblIntro = &d.add<ui::Label>("lblIntro");
    d.lblIntro->setCaption("The searches your instructors published for the class. The one you "
                           "choose is laid out at once, as a New Search.");
    d.lblIntro->setGeometry(kMargin, 120, kInner, 450);
    d.grdExercises = &d.add<ui::Grid>("grdExercises");
    d.grdExercises->setGeometry(kMargin, 630, kInner, 2370);
    d.grdExercises->setColumns({"Exercise"});
    d.grdExercises->accessibleName = "Exercises";
    d.lblStatus = &d.add<ui::Label>("lblStatus");
    d.lblStatus->setGeometry(kMargin, 3090, kInner, 450);
    d.lblStatus->setBorder(true);
    d.lblStatus->accessibleRole = ui::AccessibleRole::Readout;
    d.lblStatus->accessibleName = "Exercises status";

    d.cmdCancel = &d.add<ui::Button>("cmdCancel");
    d.cmdCancel->setCaption("Cancel");
    d.cmdCancel->setGeometry(kWidth - kMargin - 1080, 3660, 1080, 375);
    d.cmdFly = &d.add<ui::Button>("cmdFly");
    d.cmdFly->setCaption("&Fly this exercise");
    d.cmdFly->setGeometry(kWidth - kMargin - 1080 - 120 - 1920, 3660, 1920, 375);
    d.cmdFly->setEnabled(false);

    d.tabOrder = {d.grdExercises, d.cmdFly, d.cmdCancel};
    d.cancelControl = d.cmdCancel;
    // Enter or a double click on a row flies it.
    d.grdExercises->keyClicks = {{ui::Key::Enter, d.cmdFly}};
    d.grdExercises->onClick = [&d] { d.cmdFly->setEnabled(d.grdExercises->selectedRow() >= 0); };
    d.cmdCancel->onClick = [&d] { d.unload(); };
    return dialog;
}

void connectExercisesDialog(ExercisesDialog& d, logbook::SquadronClass* squadronClass,
                            std::function<void(const logbook::Exercise&)> fly) {
    showExercises(d, {});
    d.cmdFly->onClick = [&d, fly = std::move(fly)] {
        const int row = d.grdExercises->selectedRow();
        if (row < 0 || row >= static_cast<int>(d.shown.size())) return;
        const logbook::Exercise chosen = d.shown[std::size_t(row)];
        fly(chosen);
        d.unload();
    };
    if (!squadronClass) {
        d.lblStatus->setCaption("Join a squadron first: Game, Squadron...");
        return;
    }
    d.lblStatus->setCaption("Reading the exercises from the squadron...");
    std::weak_ptr<int> alive = d.alive;
    squadronClass->exercises(
        [&d, alive](logbook::ClassReply reply, std::vector<logbook::Exercise> exercises) {
            if (alive.expired()) return;
            if (!reply.ok) {
                d.lblStatus->setCaption("The exercises could not be read: " + reply.problem);
                return;
            }
            showExercises(d, std::move(exercises));
        });
}
