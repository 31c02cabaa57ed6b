// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_class.h"
#include "logbook/squadron_status.h"

#include <optional>
#include <string>

namespace script {

// The squadron's exercise NAME, read through `squadronClass` before returning; nothing, and
// `problem` in words, when the server cannot be read or has no such exercise.
std::optional<logbook::Exercise> fetchExercise(logbook::SquadronClass& squadronClass,
                                               const std::string& name, std::string& problem);

// "squadron sent=N pending=M state=S"
std::string squadronStatusLine(const logbook::SquadronStatus& status);

} // namespace script
