// SPDX-License-Identifier: MIT
#include "logbook_keeping.h"

#include "game/exercises_menu.h"
#include "game/game.h"
#include "logbook/csv.h"
#include "model/verdict.h"

namespace {

const char* const logbookTitle = "Vantrel Logbook";

// How long the last try at the end of the run may wait for the file.
constexpr int kLastTryMs = 3000;

void refillLogbookWindow(Game& game) {
    LogbookWindow* w = game.logbookWindow.existing();
    if (w && game.logbook) fillLogbookWindow(*w, game.logbook->records());
}

logbook::SquadronLink* squadronLink(Game& game) {
    return game.squadron ? game.squadron->link() : nullptr;
}

// Records just written go to the squadron soon, off this thread.
void sendToSquadron(Game& game) {
    if (auto* link = squadronLink(game)) link->nudge();
}

void showSquadron(Game& game, LogbookWindow& w) {
    auto* link = squadronLink(game);
    showSquadronStatus(w, link ? std::optional(link->status()) : std::nullopt);
    // Counted again each second while the window is open: sending goes on by itself.
    w.tmrSquadron->setInterval(link ? 1000 : 0);
}

// A debrief open on the search being flown shows each of its Reveals as it is made.
void refreshDebrief(Game& game) {
    DebriefWindow* w = game.debrief.existing();
    const auto& last = game.flight.lastReveal();
    if (w && w->visible() && last && w->followsSearch == game.flight.number())
        drawDebrief(*w, *last, game.flight.revealPoints());
}

// Where each Reveal of `record`'s search took place, up to `record` itself, from `records`
// listed oldest first.
std::vector<logbook::TrackPoint> revealPointsOf(Game& game,
                                                const std::vector<logbook::SearchRecord>& records,
                                                const logbook::SearchRecord& record) {
    std::vector<logbook::TrackPoint> reveals;
    for (const auto& other : records) {
        if (other.search != record.search) continue;
        const auto whole = other.id == record.id ? record : game.logbook->record(other.id);
        if (whole && !whole->track.empty()) reveals.push_back(whole->track.back());
        if (other.id == record.id) break;
    }
    return reveals;
}

} // namespace

void recordReveal(Game& game) {
    const SearchState& s = game.search;
    logbook::SearchRecord r = game.flight.reveal(
        s, game.runtime.clock(), logbook::utcText(game.runtime.host().utcSeconds()));
    const Verdict verdict = verdictOf(s);
    r.missDistance = verdict.miss;
    r.score = verdict.score;
    r.scoreText = verdict.scoreText;
    r.rating = verdict.rating;
    if (game.logbook) {
        game.logbook->write(r);
        game.flight.written(r);
        sendToSquadron(game);
    }
    game.flight.revealed(std::move(r));
    refillLogbookWindow(game);
    refreshDebrief(game);
}

void followHeldRecords(Game& game) {
    if (game.logbook)
        game.logbook->onWritten = [&game] {
            refillLogbookWindow(game);
            sendToSquadron(game);
        };
}

void keepHeldRecords(Game& game) {
    if (!game.logbook) return;
    logbook::Logbook& book = *game.logbook;
    for (int held = book.keepHeld(kLastTryMs); held > 0; held = book.keepHeld(kLastTryMs)) {
        const std::string question =
            logbook::unwrittenMessage(held, book.heldBecause(), book.path());
        if (game.runtime.messageBox(question, ui::msgbox::retryCancel, logbookTitle) !=
            ui::msgbox::retry)
            return;
    }
}

void tellLogbookNews(Game& game) {
    if (!game.logbook) return;
    const std::string news = game.logbook->takeNews();
    if (!news.empty()) game.runtime.messageBox(news, ui::msgbox::okOnly, logbookTitle);
}

void showLogbook(Game& game) {
    LogbookWindow& w = *game.logbookWindow;
    if (game.logbook) {
        fillLogbookWindow(w, game.logbook->records());
    } else {
        std::vector<logbook::SearchRecord> thisRun;
        if (game.flight.lastReveal()) thisRun.push_back(*game.flight.lastReveal());
        fillLogbookWindow(w, std::move(thisRun));
    }
    showSquadron(game, w);
    // Asked again each time: a server that could not be reached at start-up may answer now.
    askRole(game);
    w.show();
    w.bringToFront();
    tellLogbookNews(game);
}

void exportLogbook(Game& game) {
    LogbookWindow& w = *game.logbookWindow;
    // In the folder of the last export, of this run or an earlier one; the first of all is the
    // host's to place, in the Documents folder.
    std::string folder = w.lastExportFolder;
    if (folder.empty())
        folder = game.runtime.host().setting(logbook::kExportFolderSetting).value_or("");
    std::string suggested = "logbook.csv";
    if (!folder.empty()) suggested = (folder.back() == '/' ? folder : folder + '/') + suggested;
    const auto chosen =
        game.runtime.saveFileName("Export the logbook", suggested, "CSV files (*.csv)");
    if (!chosen) return;
    const std::string path = logbook::withCsvExtension(*chosen);
    // Told before the writing, so that the next start clears what a killed export left there.
    w.lastExportFolder = logbook::folderOf(path);
    game.runtime.host().saveSetting(logbook::kExportFolderSetting, w.lastExportFolder);
    if (!logbook::writeFileWhole(path, logbook::csvOf(w.shown))) {
        showExported(w, "");
        game.runtime.messageBox("The logbook could not be written to " + path + ".",
                                ui::msgbox::okOnly, logbookTitle);
        return;
    }
    const std::size_t n = w.shown.size();
    showExported(w, "Exported " + std::to_string(n) + (n == 1 ? " Reveal" : " Reveals") + " to " +
                        path);
}

void deleteSelected(Game& game) {
    LogbookWindow& w = *game.logbookWindow;
    const auto record = w.selected();
    if (!record || !game.logbook) return;
    const std::string score = record->scoreText.empty() ? "0" : record->scoreText;
    const std::string question = "Delete the Reveal of " + tableTime(record->timeUtc) +
                                 " UTC, score " + score +
                                 ", from your logbook?\r\nOnly this one Reveal is deleted, and "
                                 "that cannot be undone.";
    if (game.runtime.messageBox(question, ui::msgbox::okCancel | ui::msgbox::defaultSecond,
                                logbookTitle) != ui::msgbox::ok)
        return;
    game.logbook->remove(record->id);
    refillLogbookWindow(game);
    tellLogbookNews(game);
}

void debriefSelected(Game& game) {
    const auto chosen = game.logbookWindow->selected();
    if (!chosen || !game.logbook) return;
    const auto record = game.logbook->record(chosen->id);
    if (!record) {
        game.runtime.messageBox("The path of this search could not be read from your logbook " +
                                    game.logbook->path() + ".",
                                ui::msgbox::okOnly, logbookTitle);
        tellLogbookNews(game);
        return;
    }
    // The window lists the records oldest first.
    showDebrief(*game.debrief, *record, revealPointsOf(game, game.logbookWindow->shown, *record));
    // The search being flown goes on being followed; an older one stays as it is.
    const bool current = record->search != 0 && record->search == game.flight.search();
    game.debrief->followsSearch = current ? game.flight.number() : 0;
    game.debrief->bringToFront();
}

void debriefLastSearch(Game& game) {
    if (const auto& last = game.flight.lastReveal()) {
        showDebrief(*game.debrief, *last, game.flight.revealPoints());
        game.debrief->followsSearch = game.flight.number();
        game.debrief->bringToFront();
        return;
    }
    // Nothing revealed since the last New Search: the newest search the logbook holds, from an
    // earlier search or an earlier run.
    const auto records =
        game.logbook ? game.logbook->records() : std::vector<logbook::SearchRecord>{};
    const auto newest = records.empty() ? std::nullopt : game.logbook->record(records.back().id);
    if (!newest) {
        game.runtime.messageBox("There is no search to debrief yet.\r\nPress Reveal when you "
                                "think you are over the ELT, then choose Debrief.",
                                ui::msgbox::okOnly, "Vantrel Debrief");
        tellLogbookNews(game);
        return;
    }
    showDebrief(*game.debrief, *newest, revealPointsOf(game, records, *newest));
    game.debrief->followsSearch = 0;
    game.debrief->bringToFront();
}

void connectLogbookWindow(Game& game, LogbookWindow& w) {
    w.cmdDebrief->onClick = [&game] { debriefSelected(game); };
    w.cmdExport->onClick = [&game] { exportLogbook(game); };
    w.cmdDelete->onClick = [&game] { deleteSelected(game); };
    w.cmdPublish->onClick = [&game] { publishSelected(game); };
    w.cmdPublish->setVisible(game.instructor);
    w.tmrSquadron->onTick = [&game, &w] { showSquadron(game, w); };
}
