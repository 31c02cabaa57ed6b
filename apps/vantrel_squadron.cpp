// SPDX-License-Identifier: MIT
// vantrel-squadron COMMAND CONNINFO [ARGUMENTS]: sets up the squadron's PostgreSQL server and
// reads the class's results from it.
#include "command_line.h"
#include "squadron/admin.h"
#include "squadron/server_schema.h"

#include <charconv>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUsage =
    "Usage: vantrel-squadron COMMAND CONNINFO [ARGUMENTS]\n"
    "Sets up the squadron's PostgreSQL server and reads the class's results.\n"
    "CONNINFO is a libpq connection string or URI; a password comes from ~/.pgpass or\n"
    "PGPASSWORD, never from the command line.\n"
    "\n"
    "  init CONNINFO                  create or upgrade the squadron (as a role that may\n"
    "                                 create roles)\n"
    "  add-trainee CONNINFO NAME      make NAME a trainee; its password is read as one line\n"
    "                                 from standard input\n"
    "  add-instructor CONNINFO NAME   the same for an instructor\n"
    "  list CONNINFO                  the trainees: NAME reveals=N searches=M best=S\n"
    "  add-exercise CONNINFO NAME AX AY VX VY EX EY\n"
    "                                 an exercise: airport, VOR and ELT in map units\n"
    "  report CONNINFO EXERCISE       the class's first Reveals of EXERCISE, best first\n"
    "\n"
    "  -h, --help                     show this text\n"
    "      --version                  show the version\n"
    "\n"
    "Exit status: 0 done, 1 the server cannot be reached, refuses or forbids it, 2 wrong\n"
    "arguments.\n";

constexpr int kTimeoutMs = 15000;

int usageError(const std::string& why) {
    std::cerr << "vantrel-squadron: " << why << "\n" << kUsage;
    return 2;
}

int finish(const squadron::Answer& answer, const std::vector<std::string>& lines = {}) {
    if (!answer.ok()) {
        std::cerr << "vantrel-squadron: " << answer.words << '\n';
        return 1;
    }
    for (const auto& line : lines)
        std::cout << line << '\n';
    if (lines.empty()) std::cout << answer.words << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const command_line::Program program{"vantrel-squadron", kUsage, 9};
    if (auto done = command_line::answer(program, argc, argv)) return *done;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) != "--") args.emplace_back(argv[i]);
    if (args.size() < 2) return usageError("a command and a connection string are needed");
    const std::string& command = args[0];
    struct Shape {
        std::string_view name;
        std::size_t operands;
    };
    static const Shape shapes[] = {{"init", 0}, {"add-trainee", 1},  {"add-instructor", 1},
                                   {"list", 0}, {"add-exercise", 7}, {"report", 1}};
    const Shape* shape = nullptr;
    for (const auto& s : shapes)
        if (s.name == command) shape = &s;
    // The word is not repeated: arguments in the wrong order may have put a password there.
    if (!shape) return usageError("no such command");
    if (args.size() != 2 + shape->operands)
        return usageError(command + " takes " + std::to_string(shape->operands) +
                          " arguments after CONNINFO");

    std::string error;
    squadron::Settings settings = squadron::parseConninfo(args[1], error);
    if (settings.empty() && !error.empty())
        return usageError("CONNINFO is not a connection string: " + error);
    // Used, since a script may have been written so, but the owner is told where it belongs.
    for (const auto& [key, value] : settings)
        if (key == "password")
            std::cerr << "vantrel-squadron: a password on the command line can be read by other "
                         "users of this computer; keep it in ~/.pgpass or PGPASSWORD.\n";
    squadron::Connection connection(settings, kTimeoutMs);

    if (command == "init") return finish(squadron::initSchema(connection));
    if (command == "add-trainee" || command == "add-instructor") {
        if (args[2].empty()) return usageError("a name is needed");
        std::string password;
        std::getline(std::cin, password);
        if (!password.empty() && password.back() == '\r') password.pop_back();
        if (password.empty())
            return usageError("the password (one line on standard input) is empty");
        auto group =
            command == "add-trainee" ? squadron::Group::Trainee : squadron::Group::Instructor;
        auto answer = squadron::addMember(connection, group, args[2], password);
        password.assign(password.size(), '\0');
        return finish(answer);
    }
    std::vector<std::string> lines;
    if (command == "list") {
        auto answer = squadron::listTrainees(connection, lines);
        if (answer.ok() && lines.empty()) return 0;
        return finish(answer, lines);
    }
    if (command == "report") {
        auto answer = squadron::reportExercise(connection, args[2], lines);
        if (answer.ok() && lines.empty()) return 0;
        return finish(answer, lines);
    }
    std::array<int, 6> layout{};
    for (std::size_t i = 0; i < layout.size(); ++i) {
        const std::string& word = args[3 + i];
        auto [end, fault] = std::from_chars(word.data(), word.data() + word.size(), layout[i]);
        if (fault != std::errc() || end != word.data() + word.size())
            return usageError(word + " is not a whole number of map units");
    }
    return finish(squadron::addExercise(connection, args[2], layout));
}
