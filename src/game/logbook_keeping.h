// SPDX-License-Identifier: MIT
#pragma once

class Game;
struct LogbookWindow;

// Writes the Reveal just made into the logbook, when the game keeps one, and remembers it for
// the debrief.
void recordReveal(Game& game);

// Shows held records in the logbook window as they reach the file on their own.
void followHeldRecords(Game& game);

// As the program ends: records still held get one last try, and while some stay unwritten the
// player chooses between trying again and quitting without them.
void keepHeldRecords(Game& game);

// Tells the player, once in the run, what went wrong with the logbook file.
void tellLogbookNews(Game& game);

// Game, Logbook...: opens the logbook window on every record, or brings it forward.
void showLogbook(Game& game);

// The logbook window's buttons: the selected search's debrief, the records as CSV, and
// deleting the selected record after asking.
void debriefSelected(Game& game);
void exportLogbook(Game& game);
void deleteSelected(Game& game);

// Game, Debrief: the debrief of the search revealed last in this run.
void debriefLastSearch(Game& game);

// Connects those buttons to this game.
void connectLogbookWindow(Game& game, LogbookWindow& window);
