// SPDX-License-Identifier: MIT
#pragma once

#include "model/search_record.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace logbook {

// A search layout the instructor published for the whole class to fly, in map units.
struct Exercise {
    std::string name;
    std::int16_t airportX = 0, airportY = 0;
    std::int16_t vorX = 0, vorY = 0;
    std::int16_t eltX = 0, eltY = 0;
    friend bool operator==(const Exercise&, const Exercise&) = default;
};

// One trainee's line in the class roster. Each search counts by its first Reveal.
struct RosterRow {
    std::string trainee;
    int searches = 0;
    int reveals = 0;
    std::optional<float> best;              // the personal best score; none before the first Reveal
    std::string bestText;                   // the same as the results box wrote it
    std::optional<double> lastTenAverage;   // of the last ten searches' scores
    std::optional<double> tenBeforeAverage; // of the ten searches before those
    std::string lastSearchUtc;              // the latest Reveal, "" when none
};

// One trainee's first Reveal of an exercise with its track, as ranked: best score first, the
// same order and ranks as `vantrel-squadron report` prints.
struct ExerciseFlight {
    int rank = 0;
    std::string trainee;
    SearchRecord record;
};

// How a request to the server ended; `problem` says in words what went wrong.
struct ClassReply {
    bool ok = true;
    std::string problem;
};

// What the squadron's server holds for the whole class. Every request runs off the caller's
// thread and answers on it later, through its event loop; the server decides who may read
// and publish what, and says no in `problem`.
class SquadronClass {
public:
    virtual ~SquadronClass() = default;

    // Whether the player is one of the squadron's instructors.
    virtual void role(std::function<void(ClassReply, bool instructor)> done) = 0;
    virtual void exercises(std::function<void(ClassReply, std::vector<Exercise>)> done) = 0;
    // Instructors only.
    virtual void publish(const Exercise& exercise, std::function<void(ClassReply)> done) = 0;
    virtual void roster(std::function<void(ClassReply, std::vector<RosterRow>)> done) = 0;
    virtual void flights(const std::string& exercise,
                         std::function<void(ClassReply, std::vector<ExerciseFlight>)> done) = 0;
    // A trainee's records, oldest first, tracks included.
    virtual void
    traineeRecords(const std::string& trainee,
                   std::function<void(ClassReply, std::vector<SearchRecord>)> done) = 0;
};

} // namespace logbook
