// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_class.h"
#include "squadron/connection.h"

#include <memory>
#include <string>
#include <vector>

class QObject;

namespace squadron {

// The class as the server gives it to an instructor, each read on the connection given. A
// trainee is refused by the server itself; `problem` words say so plainly.
logbook::ClassReply readRole(Connection& connection, bool& instructor);
logbook::ClassReply readExercises(Connection& connection, std::vector<logbook::Exercise>& out);
logbook::ClassReply publishExercise(Connection& connection, const logbook::Exercise& exercise);
logbook::ClassReply readRoster(Connection& connection, std::vector<logbook::RosterRow>& out);
logbook::ClassReply readFlights(Connection& connection, const std::string& exercise,
                                std::vector<logbook::ExerciseFlight>& out);
// Oldest first; searches numbered 1, 2... in the order they first appear.
logbook::ClassReply readTraineeRecords(Connection& connection, const std::string& trainee,
                                       std::vector<logbook::SearchRecord>& out);

// The class through a connection of each request's own. Threaded: each request runs on a thread
// of its own and answers through the event loop of the thread that built the reader (which
// must have one); a reader destroyed meanwhile drops the answer, and its requests give up their
// waits at once. Synchronous: each request answers before it returns (the scenario runner's).
class ClassReader final : public logbook::SquadronClass {
public:
    enum class Mode { Threaded, Synchronous };
    ClassReader(Settings settings, Mode mode, int timeoutMs);
    ~ClassReader() override;
    ClassReader(const ClassReader&) = delete;
    ClassReader& operator=(const ClassReader&) = delete;

    void role(std::function<void(logbook::ClassReply, bool)> done) override;
    void exercises(
        std::function<void(logbook::ClassReply, std::vector<logbook::Exercise>)> done) override;
    void publish(const logbook::Exercise& exercise,
                 std::function<void(logbook::ClassReply)> done) override;
    void
    roster(std::function<void(logbook::ClassReply, std::vector<logbook::RosterRow>)> done) override;
    void flights(const std::string& exercise,
                 std::function<void(logbook::ClassReply, std::vector<logbook::ExerciseFlight>)>
                     done) override;
    void traineeRecords(
        const std::string& trainee,
        std::function<void(logbook::ClassReply, std::vector<logbook::SearchRecord>)> done) override;

    struct Shared;

private:
    // Runs `work` on a connection (here or on a thread), then `deliver` with its result on the
    // building thread.
    template <typename Result>
    void request(std::function<logbook::ClassReply(Connection&, Result&)> work,
                 std::function<void(logbook::ClassReply, Result)> done);

    Settings settings_;
    Mode mode_;
    int timeoutMs_;
    std::unique_ptr<QObject> receiver_;
    std::shared_ptr<Shared> shared_; // with the request threads
};

} // namespace squadron
