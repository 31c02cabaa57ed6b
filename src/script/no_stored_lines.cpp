// SPDX-License-Identifier: MIT
// A build without Qt has neither the logbook's file nor the squadron's server.
#include "stored_lines.h"
#include "tokenizer.h"

namespace script {

namespace {

[[noreturn]] void refuse(const std::string& what) {
    throw ScenarioError("this build of vantrel-script keeps no " + what +
                        ": it was built without Qt");
}

} // namespace

std::unique_ptr<StoredLinesReady> readyStoredLines(int&, char**) {
    return nullptr;
}

std::unique_ptr<logbook::Store> logbookFile(const std::string&, std::function<std::int64_t()>) {
    refuse("logbook");
}

std::unique_ptr<FileHolder> holdLogbookFile(const std::string&) {
    refuse("logbook");
}

bool checkConninfo(const std::string&) {
    refuse("squadron");
}

std::unique_ptr<logbook::SquadronMembership> scriptedSquadron(const std::string&,
                                                              const std::string&) {
    refuse("squadron");
}

std::unique_ptr<logbook::SquadronClass> scriptedClass(const std::string&) {
    refuse("squadron");
}

} // namespace script
