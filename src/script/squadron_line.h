// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_membership.h"
#include "squadron/class_reader.h"
#include "squadron/connection.h"

#include <memory>
#include <optional>
#include <string>

namespace script {

// The squadron a scenario names by a connection string: joined for the whole run, the
// password (if any) inside the string, nothing remembered.
class ScriptedSquadron final : public logbook::SquadronMembership {
public:
    ScriptedSquadron(squadron::Settings settings, const std::string& logbookPath);
    ~ScriptedSquadron() override;

    logbook::SquadronSettings settings() override;
    bool passwordKnown() override { return true; }
    std::string keyringProblem() override { return {}; }
    void test(const logbook::SquadronSettings&, const std::string&,
              std::function<void(bool, const std::string&)> done) override;
    void join(const logbook::SquadronSettings&, const std::string&) override {}
    void leave() override { link_.reset(); }
    logbook::SquadronLink* link() override { return link_.get(); }
    logbook::SquadronClass* squadronClass() override { return &class_; }

private:
    squadron::Settings settings_;
    std::unique_ptr<logbook::SquadronLink> link_;
    squadron::ClassReader class_; // answers before it returns: the next line sees the answer
};

// The squadron's exercise NAME, read through `squadronClass` before returning; nothing, and
// `problem` in words, when the server cannot be read or has no such exercise.
std::optional<logbook::Exercise> fetchExercise(logbook::SquadronClass& squadronClass,
                                               const std::string& name, std::string& problem);

// A class read synchronously from the server `settings` names, as a scenario reads it.
std::unique_ptr<logbook::SquadronClass> scriptedClass(const squadron::Settings& settings);

// "squadron sent=N pending=M state=S"
std::string squadronStatusLine(const logbook::SquadronStatus& status);

} // namespace script
