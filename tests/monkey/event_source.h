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
// clock jump of hours, answers to message boxes, F1 anywhere and closing the small windows.
class EventSource {
public:
    explicit EventSource(std::uint64_t seed) : random_(seed) {}
    Event next();
    // How a game ends: Exit, or closing the main window.
    Event ending();

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    const std::string& pick(const std::vector<std::string>& names) {
        return names[std::size_t(below(int(names.size())))];
    }

    std::mt19937_64 random_;
    double clock_ = 43200;
};

} // namespace monkey
