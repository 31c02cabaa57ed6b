// SPDX-License-Identifier: MIT
#include "class_actions.h"

#include "classroom/class_figures.h"
#include "classroom/class_window.h"
#include "logbook/csv.h"
#include "ui/runtime.h"

#include <algorithm>
#include <utility>

namespace {

// A reply that finds its window gone is dropped: the window may close while a request runs.
template <class Answer, class F>
auto whileOpen(ClassWindow& w, F f) {
    return [alive = std::weak_ptr<ClassWindow*>(w.self),
            f = std::move(f)](logbook::ClassReply reply, Answer answer) {
        if (auto window = alive.lock()) f(**window, std::move(reply), std::move(answer));
    };
}

logbook::SquadronClass* sourceOf(const ClassWindow& w) {
    return w.source ? w.source() : nullptr;
}

// Counts a request's answer; a failure is kept to be shown until one succeeds.
bool answered(ClassWindow& w, const logbook::ClassReply& reply, const std::string& what) {
    w.pendingRequests = std::max(0, w.pendingRequests - 1);
    w.problem = reply.ok ? "" : "Could not read " + what + ": " + reply.problem;
    return reply.ok;
}

// Names sort by their text: each gets its place among the names as its key.
void keyNamesByText(std::vector<std::vector<ui::GridCell>>& rows, std::size_t column) {
    std::vector<std::string> names;
    for (const auto& r : rows)
        names.push_back(r[column].text);
    std::sort(names.begin(), names.end());
    for (auto& r : rows)
        r[column].sortKey =
            double(std::lower_bound(names.begin(), names.end(), r[column].text) - names.begin());
}

void fillRoster(ClassWindow& w, std::vector<logbook::RosterRow> rows) {
    std::vector<std::vector<ui::GridCell>> cells;
    for (const auto& r : rows)
        cells.push_back(classroom::rosterCells(r));
    keyNamesByText(cells, 0);
    w.roster = std::move(rows);
    w.grdRoster->setRows(std::move(cells));
    w.cmdOpenLogbook->setEnabled(false);
}

void fillExercises(ClassWindow& w, std::vector<logbook::Exercise> exercises) {
    std::vector<std::vector<ui::GridCell>> cells;
    for (std::size_t i = 0; i < exercises.size(); ++i)
        cells.push_back({{exercises[i].name, double(i)}});
    keyNamesByText(cells, 0);
    w.exercises = std::move(exercises);
    w.grdExercises->setRows(std::move(cells));
}

// The records of the search `record` belongs to, by where each Reveal was made.
std::vector<logbook::TrackPoint> revealPoints(const std::vector<logbook::SearchRecord>& records,
                                              const logbook::SearchRecord& record) {
    std::vector<logbook::TrackPoint> points;
    for (const auto& r : records)
        if (r.search == record.search && !r.track.empty()) points.push_back(r.track.back());
    return points;
}

void showTraineeLogbook(ClassWindow& w, const std::string& trainee,
                        std::vector<logbook::SearchRecord> records) {
    LogbookWindow& book = *w.traineeLogbook;
    book.setCaption("Logbook of " + trainee);
    // The server's copy is the trainee's: nothing of it is deleted from here, and it is not
    // this player's way to the squadron.
    book.cmdDelete->setVisible(false);
    book.cmdExport->setVisible(false);
    fillLogbookWindow(book, std::move(records));
    book.cmdDebrief->onClick = [&w, &book] {
        const auto chosen = book.selected();
        if (chosen && w.debrief) w.debrief(*chosen, revealPoints(book.shown, *chosen));
    };
    book.show();
    book.bringToFront();
}

void openTraineeLogbook(ClassWindow& w) {
    const int row = w.grdRoster->selectedRow();
    logbook::SquadronClass* source = sourceOf(w);
    if (!source || row < 0 || row >= int(w.roster.size())) return;
    const std::string trainee = w.roster[std::size_t(row)].trainee;
    ++w.pendingRequests;
    showClassStatus(w);
    source->traineeRecords(trainee,
                           whileOpen<std::vector<logbook::SearchRecord>>(
                               w, [trainee](ClassWindow& w, const logbook::ClassReply& reply,
                                            std::vector<logbook::SearchRecord> records) {
                                   if (answered(w, reply, trainee + "'s logbook"))
                                       showTraineeLogbook(w, trainee, std::move(records));
                                   showClassStatus(w);
                               }));
}

// The path with ".png" added when its file name has no dot at all, as for a CSV file.
std::string withPngExtension(const std::string& path) {
    const std::string csv = logbook::withCsvExtension(path);
    return csv == path ? path : path + ".png";
}

// Asks where to write, writes whole, and says in the window what happened.
void exportFile(ClassWindow& w, const std::string& title, const std::string& suggested,
                const std::string& filter, const std::function<bool(const std::string&)>& write,
                const std::string& what) {
    const std::string folder = w.lastExportFolder.empty() ? "" : w.lastExportFolder + "/";
    const auto chosen = w.runtime().saveFileName(title, folder + suggested, filter);
    if (!chosen) return;
    const bool csv = suggested.ends_with(".csv");
    const std::string path = csv ? logbook::withCsvExtension(*chosen) : withPngExtension(*chosen);
    w.lastExportFolder = logbook::folderOf(path);
    w.lblExported->setCaption(write(path) ? "Saved " + what + " to " + path + "."
                                          : "Could not save " + what + " to " + path + ".");
}

void exportText(ClassWindow& w, const std::string& title, const std::string& suggested,
                const std::string& text, const std::string& what) {
    exportFile(
        w, title, suggested, "CSV files (*.csv)",
        [&text](const std::string& path) { return logbook::writeFileWhole(path, text); }, what);
}

void exportRoster(ClassWindow& w) {
    exportText(w, "Export the roster", "roster.csv", classroom::rosterCsv(w.roster), "the roster");
}

void exportRanking(ClassWindow& w) {
    if (w.exerciseShown.empty()) return;
    exportText(w, "Export the ranking", w.exerciseShown + ".csv", classroom::rankingCsv(w.flights),
               "the ranking of " + w.exerciseShown);
}

void saveMapPicture(ClassWindow& w) {
    if (w.exerciseShown.empty()) return;
    exportFile(
        w, "Save the map picture", w.exerciseShown + ".png", "PNG pictures (*.png)",
        [&w](const std::string& path) {
            return w.runtime().host().savePicture(w, *w.picMap, path);
        },
        "the map of " + w.exerciseShown);
}

void enableForSelection(ClassWindow& w) {
    w.cmdOpenLogbook->setEnabled(w.grdRoster->selectedRow() >= 0);
    const int row = w.grdRanking->selectedRow();
    const bool any = row >= 0 && row < int(w.hidden.size());
    w.cmdShowHide->setEnabled(any);
    w.cmdShowHide->setCaption(any && w.hidden[std::size_t(row)] ? "&Show" : "&Hide");
    w.cmdExportRanking->setEnabled(!w.exerciseShown.empty());
    w.cmdSaveMap->setEnabled(!w.exerciseShown.empty());
}

} // namespace

void showClassStatus(ClassWindow& w) {
    std::string line;
    if (!w.problem.empty())
        line = w.problem;
    else if (w.pendingRequests > 0)
        line = "Reading the class from the server...";
    else
        line = std::to_string(w.roster.size()) +
               (w.roster.size() == 1 ? " trainee, " : " trainees, ") +
               std::to_string(w.exercises.size()) +
               (w.exercises.size() == 1 ? " exercise" : " exercises");
    w.lblStatus->setCaption(line);
    enableForSelection(w);
}

void openClass(ClassWindow& w, std::function<logbook::SquadronClass*()> source) {
    w.source = std::move(source);
    logbook::SquadronClass* reader = sourceOf(w);
    if (!reader) return;
    // Answers still due from a reader since replaced never come: count afresh.
    w.pendingRequests = 2;
    w.problem.clear();
    showClassStatus(w);
    w.show();
    w.bringToFront();
    reader->roster(whileOpen<std::vector<logbook::RosterRow>>(
        w,
        [](ClassWindow& w, const logbook::ClassReply& reply, std::vector<logbook::RosterRow> rows) {
            if (answered(w, reply, "the roster")) fillRoster(w, std::move(rows));
            showClassStatus(w);
        }));
    reader->exercises(whileOpen<std::vector<logbook::Exercise>>(
        w,
        [](ClassWindow& w, const logbook::ClassReply& reply, std::vector<logbook::Exercise> list) {
            if (answered(w, reply, "the exercises")) fillExercises(w, std::move(list));
            showClassStatus(w);
        }));
}

void chooseExercise(ClassWindow& w, int row) {
    logbook::SquadronClass* source = sourceOf(w);
    if (!source || row < 0 || row >= int(w.exercises.size())) return;
    const std::string name = w.exercises[std::size_t(row)].name;
    ++w.pendingRequests;
    showClassStatus(w);
    source->flights(name, whileOpen<std::vector<logbook::ExerciseFlight>>(
                              w, [name](ClassWindow& w, const logbook::ClassReply& reply,
                                        std::vector<logbook::ExerciseFlight> flights) {
                                  const bool ok = answered(w, reply, "the flights of " + name);
                                  // Only the exercise chosen last is shown.
                                  const int chosen = w.grdExercises->selectedRow();
                                  const bool current =
                                      chosen >= 0 && chosen < int(w.exercises.size()) &&
                                      w.exercises[std::size_t(chosen)].name == name;
                                  if (ok && current) {
                                      w.exerciseShown = name;
                                      w.flights = std::move(flights);
                                      w.hidden.assign(w.flights.size(), false);
                                      drawClassMap(w);
                                  }
                                  showClassStatus(w);
                              }));
}

void toggleTrainee(ClassWindow& w, int row) {
    if (row < 0 || row >= int(w.hidden.size())) return;
    w.hidden[std::size_t(row)] = !w.hidden[std::size_t(row)];
    drawClassMap(w);
    w.grdRanking->select(row);
}

void connectClassWindow(ClassWindow& w) {
    w.grdRoster->onClick = [&w] { enableForSelection(w); };
    w.cmdOpenLogbook->onClick = [&w] { openTraineeLogbook(w); };
    w.cmdExportRoster->onClick = [&w] { exportRoster(w); };
    w.grdExercises->onClick = [&w] { chooseExercise(w, w.grdExercises->selectedRow()); };
    w.grdRanking->onClick = [&w] { enableForSelection(w); };
    w.cmdShowHide->onClick = [&w] { toggleTrainee(w, w.grdRanking->selectedRow()); };
    w.cmdPlay->onClick = [&w] { playOrPauseClass(w); };
    w.tmrReplay->onTick = [&w] { classReplayTick(w); };
    w.cmdExportRanking->onClick = [&w] { exportRanking(w); };
    w.cmdSaveMap->onClick = [&w] { saveMapPicture(w); };
    w.cmdClose->onClick = [&w] { w.unload(); };
    enableForSelection(w);
}
