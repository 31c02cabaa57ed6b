// SPDX-License-Identifier: MIT
// read_class CONNINFO thread|sync REQUEST [ARGUMENT]: one request of ClassReader, answered on
// this thread's event loop (thread) or before it returns (sync). REQUEST is role, exercises,
// roster, flights EXERCISE, records TRAINEE or publish "NAME AX AY VX VY EX EY". Prints
// "ok" or "no WORDS", then a line per row.
#include "squadron/class_reader.h"
#include "storage/track_blob.h"

#include <cstdio>
#include <iostream>
#include <QCoreApplication>
#include <QTimer>
#include <sstream>

namespace {

std::string track(const logbook::SearchRecord& r) {
    return storage::packTrack(r.track).toHex().toStdString();
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
    std::string error, request = argv[3], argument = argc > 4 ? argv[4] : "";
    auto mode = std::string(argv[2]) == "sync" ? squadron::ClassReader::Mode::Synchronous
                                               : squadron::ClassReader::Mode::Threaded;
    squadron::ClassReader reader(squadron::parseConninfo(argv[1], error), mode, 3000);
    bool answered = false;
    auto reply = [&](const logbook::ClassReply& r, const std::vector<std::string>& lines) {
        std::cout << (r.ok ? "ok" : "no " + r.problem) << '\n';
        for (const auto& line : lines)
            std::cout << line << '\n';
        answered = true;
        app.quit();
    };
    auto records = [&](logbook::ClassReply r, std::vector<logbook::SearchRecord> all) {
        std::vector<std::string> lines;
        for (const auto& x : all)
            lines.push_back("search=" + std::to_string(x.search) + " " + x.recordId + " " +
                            x.exercise + " " + track(x));
        reply(r, lines);
    };
    if (request == "role")
        reader.role([&](auto r, bool instructor) { reply(r, {std::to_string(instructor)}); });
    if (request == "exercises")
        reader.exercises([&](auto r, std::vector<logbook::Exercise> all) {
            std::vector<std::string> lines;
            for (const auto& e : all)
                lines.push_back(e.name + " " + std::to_string(e.airportX) + " " +
                                std::to_string(e.eltY));
            reply(r, lines);
        });
    if (request == "roster")
        reader.roster([&](auto r, std::vector<logbook::RosterRow> all) {
            std::vector<std::string> lines;
            for (const auto& t : all)
                lines.push_back(t.trainee + " " + std::to_string(t.searches) + "/" +
                                std::to_string(t.reveals) + " best=" + t.bestText + " " +
                                shown(t.lastTenAverage) + " " + shown(t.tenBeforeAverage) + " " +
                                t.lastSearchUtc);
            reply(r, lines);
        });
    if (request == "flights")
        reader.flights(argument, [&](auto r, std::vector<logbook::ExerciseFlight> all) {
            std::vector<std::string> lines;
            for (const auto& f : all)
                lines.push_back(std::to_string(f.rank) + " " + f.trainee + " " +
                                f.record.scoreText + " " + f.record.recordId + " " +
                                track(f.record));
            reply(r, lines);
        });
    if (request == "records") reader.traineeRecords(argument, records);
    if (request == "publish") {
        logbook::Exercise e;
        std::istringstream(argument) >> e.name >> e.airportX >> e.airportY >> e.vorX >> e.vorY >>
            e.eltX >> e.eltY;
        reader.publish(e, [&](auto r) { reply(r, {}); });
    }
    QTimer::singleShot(20000, &app, [&] { app.quit(); });
    if (!answered) app.exec();
    return answered ? 0 : 1;
}
