// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_class.h"
#include "model/aircraft_movement.h"
#include "model/search_state.h"

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

// A leg of a flight: so many steps on one heading at one speed (4 cruise, 1 search).
struct Leg {
    std::int16_t heading, speedStep, steps;
};

// A first Reveal of the exercise "Ridge" (airport (60, 140), VOR (120, 140), ELT (150, 50)),
// flown by the game's own aircraft movement leg after leg; the ELT first heard after `heardAt`
// steps.
inline logbook::SearchRecord ridgeFlight(std::initializer_list<Leg> legs, std::size_t heardAt,
                                         float score, const char* rating, float miss) {
    SearchState s;
    s.aircraftX = 60, s.aircraftY = 140, s.mapScale = 4;
    logbook::SearchRecord r;
    r.exercise = "Ridge", r.timeUtc = "2026-12-07T14:03:59Z";
    r.eltX = 150, r.eltY = 50, r.vorX = 120, r.vorY = 140, r.airportX = 60, r.airportY = 140;
    r.mapScale = 4;
    r.track.push_back({s.aircraftX, s.aircraftY, 0, 4});
    for (const Leg& leg : legs)
        for (int i = 0; i < leg.steps; ++i) {
            s.heading = leg.heading, s.speedStep = leg.speedStep;
            moveOneStep(s);
            r.track.push_back({s.aircraftX, s.aircraftY, s.heading, s.speedStep});
        }
    r.firstHeard = r.track[heardAt];
    r.distanceFlown = s.distanceFlown, r.missDistance = miss;
    r.score = score, r.scoreText = std::to_string(int(score)), r.rating = rating;
    return r;
}

// The class of three trainees, as the squadron's server would give it: anna, ben and carla with
// their roster lines, two exercises, and the three first Reveals of "Ridge", best first.
// Answers come at once, or when `held`, only as `release` lets them; `failNext` makes the next
// request fail with that problem.
struct ClassFixture : logbook::SquadronClass {
    std::vector<logbook::RosterRow> rosterRows{
        {"anna", 24, 26, 16.f, "16", 20.5, 33.0, "2026-12-07T14:03:59Z"},
        {"ben", 22, 22, 21.f, "21", 30.0, 27.0, "2026-12-05T09:10:00Z"},
        {"carla", 3, 3, 48.f, "48", 52.0, std::nullopt, "2026-11-30T17:45:12Z"}};
    std::vector<logbook::Exercise> exerciseList{{"Ridge", 60, 140, 120, 140, 150, 50},
                                                {"Coast", 20, 180, 100, 60, 170, 20}};
    std::map<std::string, std::vector<logbook::ExerciseFlight>> flightsOf{
        {"Ridge",
         {{1, "anna",
           ridgeFlight({{0, 4, 10}, {45, 4, 10}, {90, 4, 10}, {45, 1, 5}}, 15, 16,
                       "** Mission Pilot **", 1.8f)},
          {2, "ben",
           ridgeFlight({{45, 4, 20}, {90, 4, 5}, {0, 1, 8}}, 12, 21, "* Observer *", 2.5f)},
          {3, "carla",
           ridgeFlight({{90, 4, 12}, {0, 4, 18}, {45, 1, 6}}, 20, 48, "Student Pilot", 6.04f)}}}};
    bool instructor = true;
    bool held = false;
    std::string failNext;
    std::vector<std::function<void()>> waiting;

    // Lets the first `n` answers held back arrive, in the order they were asked for.
    void release(std::size_t n = 1000) {
        for (std::size_t i = 0; i < n && !waiting.empty(); ++i) {
            auto answer = std::move(waiting.front());
            waiting.erase(waiting.begin());
            answer();
        }
    }

    template <class T>
    void answer(std::function<void(logbook::ClassReply, T)> done, T value) {
        logbook::ClassReply reply;
        if (!failNext.empty()) reply = {false, std::exchange(failNext, "")}, value = T{};
        auto send = [done, reply, value] { done(reply, value); };
        held ? waiting.push_back(send) : send();
    }

    void role(std::function<void(logbook::ClassReply, bool)> done) override {
        answer(std::move(done), instructor);
    }
    void exercises(
        std::function<void(logbook::ClassReply, std::vector<logbook::Exercise>)> done) override {
        answer(std::move(done), exerciseList);
    }
    void publish(const logbook::Exercise& e,
                 std::function<void(logbook::ClassReply)> done) override {
        exerciseList.push_back(e);
        done({});
    }
    void roster(
        std::function<void(logbook::ClassReply, std::vector<logbook::RosterRow>)> done) override {
        answer(std::move(done), rosterRows);
    }
    void flights(const std::string& exercise,
                 std::function<void(logbook::ClassReply, std::vector<logbook::ExerciseFlight>)>
                     done) override {
        answer(std::move(done), flightsOf[exercise]);
    }
    void traineeRecords(const std::string& trainee,
                        std::function<void(logbook::ClassReply, std::vector<logbook::SearchRecord>)>
                            done) override {
        std::vector<logbook::SearchRecord> records;
        for (const auto& f : flightsOf["Ridge"])
            if (f.trainee == trainee) records.push_back(f.record);
        answer(std::move(done), records);
    }
};
