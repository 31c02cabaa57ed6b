// SPDX-License-Identifier: MIT
#include "squadron_items.h"

#include <utility>
#include <vector>

namespace script {

std::optional<logbook::Exercise> fetchExercise(logbook::SquadronClass& squadronClass,
                                               const std::string& name, std::string& problem) {
    std::optional<logbook::Exercise> found;
    squadronClass.exercises([&](logbook::ClassReply reply, std::vector<logbook::Exercise> all) {
        problem = reply.problem;
        for (auto& e : all)
            if (reply.ok && e.name == name) found = std::move(e);
        if (reply.ok && !found) problem = "the squadron has no exercise " + name;
    });
    return found;
}

std::string squadronStatusLine(const logbook::SquadronStatus& status) {
    return "squadron sent=" + std::to_string(status.sent) +
           " pending=" + std::to_string(status.pending) +
           " state=" + logbook::stateName(status.state);
}

} // namespace script
