// SPDX-License-Identifier: MIT
#include "squadron_line.h"

#include "squadron/outbox.h"
#include "squadron/upload.h"

namespace script {

namespace {

constexpr int kTestTimeoutMs = 5000;
// The game asks the role at start: a server that never answers holds the scenario this long.
constexpr int kClassTimeoutMs = 5000;

std::string valueOf(const squadron::Settings& settings, const std::string& keyword) {
    for (const auto& [key, value] : settings)
        if (key == keyword) return value;
    return {};
}

} // namespace

ScriptedSquadron::ScriptedSquadron(squadron::Settings settings, const std::string& logbookPath)
    : settings_(std::move(settings)), link_(squadron::makeOutbox(logbookPath, settings_)),
      class_(settings_, squadron::ClassReader::Mode::Synchronous, kClassTimeoutMs) {}

ScriptedSquadron::~ScriptedSquadron() = default;

logbook::SquadronSettings ScriptedSquadron::settings() {
    return {.server = valueOf(settings_, "host"),
            .port = valueOf(settings_, "port"),
            .database = valueOf(settings_, "dbname"),
            .trainee = valueOf(settings_, "user"),
            .tlsMode = valueOf(settings_, "sslmode"),
            .rootCertificate = valueOf(settings_, "sslrootcert")};
}

// A scenario waits for the answer: it is the next line's to see.
void ScriptedSquadron::test(const logbook::SquadronSettings&, const std::string&,
                            std::function<void(bool, const std::string&)> done) {
    squadron::Connection connection(settings_, kTestTimeoutMs);
    const squadron::Answer answer = squadron::check(connection);
    done(answer.ok(), answer.words);
}

std::unique_ptr<logbook::SquadronClass> scriptedClassOf(const squadron::Settings& settings) {
    return std::make_unique<squadron::ClassReader>(
        settings, squadron::ClassReader::Mode::Synchronous, kClassTimeoutMs);
}

} // namespace script
