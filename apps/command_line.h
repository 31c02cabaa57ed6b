// SPDX-License-Identifier: MIT
// The options every Vantrel program answers before it looks for a display, so that --help and
// --version work on a console, in a package check or over ssh.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <span>
#include <string_view>

namespace command_line {

struct Program {
    std::string_view name;   // as it is typed, "vantrel"
    std::string_view usage;  // the whole --help text, ending in a newline
    std::size_t maxOperands; // arguments that are not options
};

// Reads the arguments after the program's name. --help prints the usage and --version the
// version, both to `out`, and the program ends with 0. An unknown option or a surplus operand
// prints the usage to `err`, and the program ends with 2. Anything else returns nothing: the
// program goes on. A lone "-" and negative numbers are operands; "--" ends the options.
std::optional<int> answer(const Program& program, std::span<char* const> args, std::ostream& out,
                          std::ostream& err);

// The same for main's own arguments, on the standard streams.
std::optional<int> answer(const Program& program, int argc, char** argv);

} // namespace command_line
