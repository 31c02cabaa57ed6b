// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// A scenario line that cannot be understood.
struct ScenarioError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The words of a scenario line: separated by blanks; a double-quoted string, with C escapes,
// is one word (its quotes removed). A `#` at the start of the line makes it a comment.
std::vector<std::string> splitWords(std::string_view line);

} // namespace script
