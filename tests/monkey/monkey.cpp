// SPDX-License-Identifier: MIT
// vantrel-monkey: plays a great many random events on the headless game and checks after each
// one that the game still holds together. Each game keeps a logbook, and exports it, in a
// temporary folder of the run's own, removed at the end. Every run is replayable from its seed:
//   vantrel-monkey [--events N] [--seed S] [--games G] [--dump FILE]
// --dump writes the events of the first game as a scenario for vantrel-script.
#include "event_source.h"
#include "invariants.h"
#include "script/scenario_runner.h"
#include "script/tokenizer.h"
#include "support/temp_folder.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <QCoreApplication>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

struct Options {
    long events = 1'000'000;
    std::uint64_t seed = std::random_device{}();
    long games = 5; // the run is cut into this many games, each ended by Exit or closing
    std::string dump;
};

const char* const kUsage =
    "usage: vantrel-monkey [--events N (1000000)] [--seed S] [--games G (5)] [--dump FILE]\n";

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; i += 2) {
        const std::string flag = argv[i];
        if (i + 1 == argc) throw std::invalid_argument("unknown option or no value: " + flag);
        const std::string value = argv[i + 1];
        if (flag == "--events")
            o.events = std::stol(value);
        else if (flag == "--seed")
            o.seed = std::stoull(value);
        else if (flag == "--games")
            o.games = std::max(1L, std::stol(value));
        else if (flag == "--dump")
            o.dump = value;
        else
            throw std::invalid_argument("unknown option " + flag);
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    // The logbook's database driver is a Qt plugin, found through the application.
    QCoreApplication app(argc, argv);
    Options options;
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    try {
        options = parse(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "vantrel-monkey: " << e.what() << '\n' << kUsage;
        return 2;
    }
    std::cout << "monkey: seed " << options.seed << ", " << options.events << " events\n"
              << std::flush;
    const auto began = std::chrono::steady_clock::now();
    std::ostream transcript(nullptr); // the transcript of a million events is not wanted
    std::ofstream dump;
    if (!options.dump.empty()) dump.open(options.dump);

    // The logbook, and what is exported from it, live in a folder of the run's own.
    const TempFolder folder;
    if (folder.path.empty()) {
        std::cerr << "vantrel-monkey: no temporary folder: " << std::strerror(errno) << '\n';
        return 1;
    }
    monkey::EventSource source(options.seed, folder.file("export.csv"));
    const long perGame = std::max(1L, options.events / options.games);
    long done = 0;
    for (long game = 0; done < options.events; ++game) {
        script::ScenarioRunner runner(transcript, std::cerr);
        monkey::Invariants invariants;
        auto fail = [&](long number, const std::string& line, const std::string& why) {
            std::cerr << "monkey: seed " << options.seed << ": event " << number << " (" << line
                      << ") broke: " << why << '\n';
            return 1;
        };
        // A fresh logbook each game: one kept for the whole run would grow until the window
        // that lists it, refilled at every Reveal, is all the monkey measures.
        const monkey::Event logbook{
            {"logbook", folder.file("logbook-" + std::to_string(game) + ".sqlite")}};
        runner.perform(logbook.words);
        runner.perform({"start"});
        if (dump.is_open()) dump << logbook.line() << "\nstart\n";
        if (auto broken = invariants.check(runner.game(), true); !broken.empty())
            return fail(done, "start", broken);
        const long last = std::min(options.events, done + perGame);
        for (; done < last; ++done) {
            const monkey::Event e = done + 1 == last ? source.ending() : source.next();
            if (e.words.front() == "answer" && runner.host().pendingAnswers() > 2) continue;
            if (e.words.front() == "savefile" && runner.host().pendingSaveFiles() > 2) continue;
            if (dump.is_open()) dump << e.line() << '\n';
            try {
                runner.perform(e.words);
            } catch (const script::ScenarioError& error) {
                return fail(done + 1, e.line(), error.what());
            }
            if (e.ends) {
                if (!runner.host().ended()) return fail(done + 1, e.line(), "the game goes on");
                continue;
            }
            if (runner.host().ended()) return fail(done + 1, e.line(), "the game ended");
            if (auto broken = invariants.check(runner.game(), e.newSearch); !broken.empty())
                return fail(done + 1, e.line(), broken);
        }
        if (dump.is_open()) dump.close();
        // An export that finished leaves only its file behind.
        for (const auto& entry : std::filesystem::directory_iterator(folder.path))
            if (entry.path().filename().string().find(".vantrel-tmp-") != std::string::npos)
                return fail(done, "end of game", "an export left " + entry.path().string());
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::cout << "monkey: " << done << " events, every check held, " << seconds << " s\n";
    return 0;
}
