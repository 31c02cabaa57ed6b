// SPDX-License-Identifier: MIT
// read_class CONNINFO thread|sync role|exercises|roster|flights EXERCISE|records TRAINEE|publish
// "NAME AX AY VX VY EX EY": one request of ClassReader; prints "ok" or "no WORDS", then its rows.
#include "squadron/class_reader.h"
#include "storage/track_blob.h"

#include <cstdio>
#include <iostream>
#include <QCoreApplication>
#include <QTimer>
#include <sstream>

using logbook::ClassReply;

namespace {

std::string line(const logbook::SearchRecord& r) {
    return r.scoreText + " " + r.recordId + " search=" + std::to_string(r.search) + " " +
           (r.exercise.empty() ? "-" : r.exercise) + " " +
           storage::packTrack(r.track).toHex().toStdString();
}

std::string shown(const std::optional<double>& value) {
    char text[32] = "-";
    if (value) std::snprintf(text, sizeof text, "%.1f", *value);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) return 2;
    const std::string request = argv[3], argument = argc > 4 ? argv[4] : "";
    std::string error;
    squadron::ClassReader reader(squadron::parseConninfo(argv[1], error),
                                 std::string(argv[2]) == "sync"
                                     ? squadron::ClassReader::Mode::Synchronous
                                     : squadron::ClassReader::Mode::Threaded,
                                 3000);
    bool answered = false;
    // Each row as a line by `show`.
    auto print = [&](auto show) {
        return [&, show](ClassReply r, auto rows) {
            std::cout << (r.ok ? "ok" : "no " + r.problem) << '\n';
            for (const auto& row : rows)
                std::cout << show(row) << '\n';
            answered = true;
            app.quit();
        };
    };
    if (request == "role")
        reader.role(
            [&](ClassReply r, bool yes) { print([](bool b) { return b; })(r, std::vector{yes}); });
    if (request == "exercises")
        reader.exercises(print([](const logbook::Exercise& e) {
            return e.name + " " + std::to_string(e.airportX) + " " + std::to_string(e.eltY);
        }));
    if (request == "roster")
        reader.roster(print([](const logbook::RosterRow& t) {
            return t.trainee + " " + std::to_string(t.searches) + "/" + std::to_string(t.reveals) +
                   " best=" + t.bestText + " " + shown(t.lastTenAverage) + " " +
                   shown(t.tenBeforeAverage) + " " + t.lastSearchUtc;
        }));
    if (request == "flights")
        reader.flights(argument, print([](const logbook::ExerciseFlight& f) {
                           return std::to_string(f.rank) + " " + f.trainee + " " + line(f.record);
                       }));
    if (request == "records") reader.traineeRecords(argument, print(line));
    if (request == "publish") {
        logbook::Exercise e;
        std::istringstream(argument) >> e.name >> e.airportX >> e.airportY >> e.vorX >> e.vorY >>
            e.eltX >> e.eltY;
        reader.publish(e,
                       [&](ClassReply r) { print(line)(r, std::vector<logbook::SearchRecord>{}); });
    }
    QTimer::singleShot(20000, &app, [&] { app.quit(); });
    if (!answered) app.exec();
    return answered ? 0 : 1;
}
