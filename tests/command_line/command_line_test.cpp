// SPDX-License-Identifier: MIT
// The options every program answers before it needs a display, and the arguments it refuses.
#include "command_line.h"
#include "vantrel_version.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr command_line::Program kTwoOperands{"prog", "usage: prog A B\n", 2};

struct Case {
    std::vector<std::string> args;
    int status; // -1: the program goes on
    const char* out;
    const char* err;
};

// The plain cases (--help, -h, --version, an unknown option, a surplus operand) are the real
// programs' own test, programs_without_display.sh; here the orders and edges.
TEST(CommandLine, answersHelpAndVersionAndRefusesWhatItDoesNotKnow) {
    const std::string version = "prog " + std::string(vantrel::version) + "\n";
    const Case cases[] = {
        {{}, -1, "", ""},
        {{"a", "b"}, -1, "", ""},
        {{"a", "--version"}, 0, version.c_str(), ""},
        {{"-x", "--help"}, 2, "", "prog: unknown option -x\nusage: prog A B\n"},
        // A help topic's number may be negative, and a file may be called "-".
        {{"-1", "-"}, -1, "", ""},
        // After "--" everything is an operand, even what looks like an option.
        {{"--", "--help", "-x"}, -1, "", ""},
        {{"--", "a", "b", "c"}, 2, "", "prog: unexpected argument c\nusage: prog A B\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> storage = c.args;
        std::vector<char*> argv;
        argv.reserve(storage.size());
        for (std::string& arg : storage)
            argv.push_back(arg.data());
        std::ostringstream out;
        std::ostringstream err;
        const auto status = command_line::answer(kTwoOperands, argv, out, err);
        const std::string label = ::testing::PrintToString(c.args);
        EXPECT_EQ(status.value_or(-1), c.status) << label;
        EXPECT_EQ(out.str(), c.out) << label;
        EXPECT_EQ(err.str(), c.err) << label;
    }
}

TEST(CommandLine, skipsTheProgramNameInMainsArguments) {
    char name[] = "--bogus"; // a program name is never read as an option
    char version[] = "--version";
    char* argv[] = {name, version};
    testing::internal::CaptureStdout();
    EXPECT_EQ(command_line::answer(kTwoOperands, 2, argv), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "prog " + std::string(vantrel::version) + "\n");
    EXPECT_EQ(command_line::answer(kTwoOperands, 1, argv), std::nullopt);
    EXPECT_EQ(command_line::answer(kTwoOperands, 0, argv), std::nullopt);
}

} // namespace
