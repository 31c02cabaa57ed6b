// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_membership.h"
#include "squadron/class_reader.h"
#include "squadron/connection.h"

#include <memory>
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

// A class read synchronously from the server `settings` names, as a scenario reads it.
std::unique_ptr<logbook::SquadronClass> scriptedClassOf(const squadron::Settings& settings);

} // namespace script
