// SPDX-License-Identifier: MIT
#pragma once

#include "game/game.h"
#include "stored_lines.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"

#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace script {

// Runs one game on the headless host and performs scenario lines on it, writing the
// transcript: what the game shows, and the values asked for.
class ScenarioRunner {
public:
    ScenarioRunner(std::ostream& out, std::ostream& err);
    ~ScenarioRunner();

    // Performs every line; 0 when all went well, 2 at the first line that cannot be performed.
    int run(std::istream& scenario);

    // Performs the words of one line; throws ScenarioError when it cannot.
    void perform(const std::vector<std::string>& words);

    Game& game() { return *game_; }
    ui::headless::HeadlessHost& host() { return host_; }
    ui::Runtime& runtime() { return runtime_; }
    bool started() const { return started_; }

private:
    struct Name;
    struct Target;

    void requireStarted(const std::string& command) const;
    Target resolve(const std::string& text, bool create);
    ui::Form* windowNamed(const std::string& name, bool create);
    const ui::Form& designCopy(const std::string& window);
    void print(const std::string& item);
    std::string squadronItem(const std::string& name);
    void set(const std::string& assignment);
    void activate(const std::string& name);
    void click(const std::string& name);
    void key(const std::vector<std::string>& words);
    void close(const std::string& window);
    void select(const std::string& name, int row);
    void type(const std::string& name, const std::string& text);
    void tick(int count);
    // One tick of a window's timer, WINDOW.TIMER, the clock moving on by its interval.
    void tickTimer(const std::string& name);

    class NoteRecorder;

    std::ostream& out_;
    std::ostream& err_;
    ui::headless::HeadlessHost host_;
    ui::Runtime runtime_;
    std::string squadronConninfo_;                          // from the squadron line
    std::unique_ptr<logbook::SquadronMembership> squadron_; // outlives the game pointing at it
    std::unique_ptr<Game> game_;
    std::unique_ptr<NoteRecorder> notes_;
    std::map<std::string, std::unique_ptr<ui::Form>> designCopies_;
    std::map<std::string, std::unique_ptr<FileHolder>> holders_; // files "locked"
    bool started_ = false;
};

} // namespace script
