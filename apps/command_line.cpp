// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "vantrel_version.h"

#include <cctype>
#include <iostream>
#include <string_view>

namespace command_line {

namespace {

bool looksLikeOption(std::string_view arg) {
    return arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]));
}

} // namespace

std::optional<int> answer(const Program& program, std::span<char* const> args, std::ostream& out,
                          std::ostream& err) {
    std::size_t operands = 0;
    bool optionsEnded = false;
    for (const char* raw : args) {
        const std::string_view arg(raw);
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            out << program.usage;
            return 0;
        } else if (!optionsEnded && arg == "--version") {
            out << program.name << ' ' << vantrel::version << '\n';
            return 0;
        } else if (!optionsEnded && looksLikeOption(arg)) {
            err << program.name << ": unknown option " << arg << '\n' << program.usage;
            return 2;
        } else if (++operands > program.maxOperands) {
            err << program.name << ": unexpected argument " << arg << '\n' << program.usage;
            return 2;
        }
    }
    return std::nullopt;
}

std::optional<int> answer(const Program& program, int argc, char** argv) {
    const std::span<char* const> args(argv, static_cast<std::size_t>(argc));
    return answer(program, args.subspan(args.empty() ? 0 : 1), std::cout, std::cerr);
}

} // namespace command_line
