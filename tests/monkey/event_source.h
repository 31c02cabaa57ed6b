// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace monkey {

// One random event, written as a scenario line so that any run can be replayed.
struct Event {
    std::vector<std::string> words;
    bool newSearch = false; // the event lays out a new search
    bool ends = false;      // the event ends the program

    std::string line() const;
};

// Draws events from every click target of every window, menu items, ticks with now and then a
// clock jump of hours, answers to message boxes, F1 anywhere and closing the small windows; the
// logbook's and the debrief's windows, their rows, replays, exports to `exportPath` and
// deletions; and the arrow keys on the map.
class EventSource {
public:
    EventSource(std::uint64_t seed, std::string exportPath)
        : random_(seed), exportPath_(std::move(exportPath)) {}
    Event next();
    // How a game ends: Exit, or closing the main window.
    Event ending();

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    const std::string& pick(const std::vector<std::string>& names) {
        return names[std::size_t(below(int(names.size())))];
    }

    std::mt19937_64 random_;
    std::string exportPath_;
    double clock_ = 43200;
    // The second half of an event that takes two lines: a save-file answer, then Export.
    std::vector<std::string> then_;
};

} // namespace monkey
