// SPDX-License-Identifier: MIT
#include "scenario_runner.h"

#include "game/view_menu.h"
#include "logbook_items.h"
#include "properties.h"
#include "squadron_items.h"
#include "state_fields.h"
#include "tokenizer.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "ui/headless/transcript.h"
#include "ui/numbers.h"

#include <charconv>
#include <cmath>
#include <map>
#include <string_view>

namespace script {

namespace {

// How long `sync` waits for the squadron's server at most.
constexpr int kSyncWaitMs = 10000;

double parseNumber(const std::string& text) {
    double value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || ptr != end || !std::isfinite(value))
        throw ScenarioError("not a number: " + text);
    return value;
}

int parseCount(const std::string& text) {
    const double n = parseNumber(text);
    if (n < 0 || n != std::floor(n) || n > 10'000'000) throw ScenarioError("not a count: " + text);
    return static_cast<int>(n);
}

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (auto at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool isSurfaceName(const std::string& n) {
    return n == "Pic1" || n == "PicDf" || n == "picCompass";
}

} // namespace

// Prints a note line whenever the explanation panel is shown.
class ScenarioRunner::NoteRecorder : public ui::RuntimeObserver {
public:
    explicit NoteRecorder(std::ostream& out) : out_(out) {}
    void formShown(ui::Form& form) override {
        if (form.name() != "panel") return;
        std::string text;
        for (const auto& item : form.drawing().items())
            if (const auto* t = std::get_if<ui::TextItem>(&item)) text += t->text;
        using ui::headless::number;
        out_ << "note left=" << number(form.left()) << " top=" << number(form.top())
             << " width=" << number(form.width()) << " height=" << number(form.height())
             << " text=" << ui::headless::quoted(text) << '\n';
    }

private:
    std::ostream& out_;
};

// A control or window name as written: `about.Label2`, `optSpeed(1)`, `main`.
struct ScenarioRunner::Name {
    std::string window;
    std::string control;
    int index = -1;

    static Name parse(const std::string& text) {
        Name n;
        auto dot = text.find('.');
        n.control = dot == std::string::npos ? text : text.substr(dot + 1);
        if (dot != std::string::npos) n.window = text.substr(0, dot);
        if (auto open = n.control.find('('); open != std::string::npos) {
            if (n.control.back() != ')') throw ScenarioError("bad index in " + text);
            n.index = parseCount(n.control.substr(open + 1, n.control.size() - open - 2));
            n.control.erase(open);
        }
        return n;
    }
};

struct ScenarioRunner::Target {
    ui::Form* form = nullptr;
    ui::Control* control = nullptr; // of the design copy when the window is not loaded
    ui::MenuItem* menu = nullptr;
};

ScenarioRunner::ScenarioRunner(std::ostream& out, std::ostream& err)
    : out_(out), err_(err), host_(out), runtime_(host_), game_(std::make_unique<Game>(runtime_)),
      notes_(std::make_unique<NoteRecorder>(out)) {
    runtime_.addObserver(notes_.get());
}

ScenarioRunner::~ScenarioRunner() {
    runtime_.removeObserver(notes_.get());
}

int ScenarioRunner::run(std::istream& scenario) {
    std::string line;
    for (int number = 1; std::getline(scenario, line); ++number) {
        if (host_.ended()) break;
        try {
            const auto words = splitWords(line);
            if (!words.empty()) perform(words);
        } catch (const ScenarioError& e) {
            err_ << "line " << number << ": " << e.what() << '\n';
            return 2;
        }
    }
    return 0;
}

void ScenarioRunner::requireStarted(const std::string& command) const {
    if (!started_) throw ScenarioError(command + " needs start first");
}

void ScenarioRunner::perform(const std::vector<std::string>& words) {
    const std::string& command = words.front();
    const std::vector<std::string> args(words.begin() + 1, words.end());
    auto needArgs = [&](std::size_t n) {
        if (args.size() < n) throw ScenarioError(command + " needs more words");
    };
    if (command == "apppath") {
        needArgs(1);
        if (started_) throw ScenarioError("apppath comes before start");
        host_.setAppPath(args[0]);
    } else if (command == "clock") {
        needArgs(1);
        host_.setClock(parseNumber(args[0]));
    } else if (command == "random") {
        for (const auto& a : args) {
            const double r = parseNumber(a);
            if (r < 0 || r >= 1) throw ScenarioError("a random number lies in [0, 1): " + a);
            host_.queueRandom(static_cast<float>(r));
        }
    } else if (command == "answer") {
        for (const auto& a : args)
            host_.queueAnswer(parseCount(a));
    } else if (command == "logbook") {
        needArgs(1);
        if (started_) throw ScenarioError("logbook comes before start");
        game_->logbook = std::make_unique<logbook::Logbook>(
            logbookFile(args[0], [this] { return host_.utcSeconds(); }));
    } else if (command == "squadron") {
        needArgs(1);
        if (started_) throw ScenarioError("squadron comes before start");
        squadronConninfo_ = checkConninfo(args[0]) ? args[0] : "";
    } else if (command == "exercise") {
        needArgs(1);
        // Before start the squadron is not joined yet: the exercise is read from its server
        // all the same, for the first search.
        std::unique_ptr<logbook::SquadronClass> early;
        logbook::SquadronClass* squadronClass =
            game_->squadron ? game_->squadron->squadronClass() : nullptr;
        if (!started_ && !squadronConninfo_.empty())
            squadronClass = (early = scriptedClass(squadronConninfo_)).get();
        if (!squadronClass) throw ScenarioError("exercise needs a squadron line");
        std::string problem;
        game_->nextExercise = fetchExercise(*squadronClass, args[0], problem);
        if (!game_->nextExercise) throw ScenarioError("exercise " + args[0] + ": " + problem);
    } else if (command == "sync") {
        requireStarted(command);
        auto* link = game_->squadron ? game_->squadron->link() : nullptr;
        if (!link) throw ScenarioError("sync needs a squadron line");
        // Flushed, so that a program playing the game line by line reads it at once.
        out_ << squadronStatusLine(link->settle(kSyncWaitMs)) << '\n' << std::flush;
    } else if (command == "lock") {
        needArgs(1);
        holders_[args[0]] = holdLogbookFile(args[0]);
    } else if (command == "unlock") {
        needArgs(1);
        if (holders_.erase(args[0]) == 0) throw ScenarioError(args[0] + " is not locked");
    } else if (command == "setting") {
        needArgs(2);
        if (started_) throw ScenarioError("setting comes before start");
        host_.saveSetting(args[0], args[1]);
    } else if (command == "screen") {
        needArgs(2);
        host_.setScreen(parseNumber(args[0]), parseNumber(args[1]));
        // As the desktop tells the game when its window moves to another screen.
        if (started_) refitToScreen(*game_);
    } else if (command == "savefile") {
        for (const auto& a : args)
            host_.queueSaveFile(a);
    } else if (command == "start") {
        if (started_) throw ScenarioError("the game has already started");
        started_ = true;
        if (!squadronConninfo_.empty()) {
            if (!game_->logbook) throw ScenarioError("squadron needs a logbook line");
            squadron_ = scriptedSquadron(squadronConninfo_, game_->logbook->path());
            game_->squadron = squadron_.get();
        }
        game_->start();
    } else if (command == "set") {
        requireStarted(command);
        for (const auto& a : args)
            set(a);
    } else if (command == "click") {
        requireStarted(command);
        needArgs(1);
        click(args[0]);
    } else if (command == "tick") {
        requireStarted(command);
        if (!args.empty() && args[0].find('.') != std::string::npos)
            tickTimer(args[0]);
        else
            tick(args.empty() ? 1 : parseCount(args[0]));
    } else if (command == "select") {
        requireStarted(command);
        needArgs(2);
        select(args[0], parseCount(args[1]));
    } else if (command == "type") {
        requireStarted(command);
        needArgs(2);
        type(args[0], args[1]);
    } else if (command == "key") {
        requireStarted(command);
        key(args);
    } else if (command == "close") {
        requireStarted(command);
        needArgs(1);
        close(args[0]);
    } else if (command == "activate") {
        requireStarted(command);
        needArgs(1);
        activate(args[0]);
    } else if (command == "print") {
        requireStarted(command);
        for (const auto& a : args)
            print(a);
    } else {
        throw ScenarioError("unknown command " + command);
    }
}

ui::Form* ScenarioRunner::windowNamed(const std::string& name, bool create) {
    if (!Game::isWindowName(name)) return nullptr;
    return game_->window(name, create);
}

const ui::Form& ScenarioRunner::designCopy(const std::string& window) {
    auto& copy = designCopies_[window];
    if (!copy) copy = game_->designCopy(window);
    return *copy;
}

ScenarioRunner::Target ScenarioRunner::resolve(const std::string& text, bool create) {
    const Name name = Name::parse(text);
    std::vector<std::string> windows;
    if (!name.window.empty()) {
        if (!Game::isWindowName(name.window)) throw ScenarioError("no window " + name.window);
        windows.push_back(name.window);
    } else {
        windows = Game::windowNames();
    }
    for (const auto& w : windows) {
        Target t;
        t.form = windowNamed(w, false);
        const ui::Form& shape = t.form ? *t.form : designCopy(w);
        const bool hasControl = shape.find(name.control, name.index) != nullptr;
        const bool hasMenu = name.index < 0 && shape.findMenuItem(name.control);
        if (!hasControl && !hasMenu) continue;
        if (!t.form && create) t.form = windowNamed(w, true);
        // A window not loaded is read from its design copy, so printing never creates it.
        t.control = (t.form ? *t.form : shape).find(name.control, name.index);
        if (!t.control && t.form) t.menu = t.form->findMenuItem(name.control);
        return t;
    }
    throw ScenarioError("no control or menu item " + text);
}

void ScenarioRunner::activate(const std::string& name) {
    // As the desktop tells it: a window the player turns to, or none of the game's.
    if (name == "none") {
        runtime_.windowActivated(nullptr);
        return;
    }
    ui::Form* form = windowNamed(name, false);
    if (!form) throw ScenarioError("no open window " + name);
    runtime_.windowActivated(form);
}

void ScenarioRunner::click(const std::string& name) {
    if (Game::isWindowName(name)) {
        runtime_.clickForm(*windowNamed(name, true));
        return;
    }
    const Target t = resolve(name, true);
    if (t.control)
        runtime_.click(*t.control);
    else if (t.menu)
        runtime_.menu(*t.menu);
}

void ScenarioRunner::key(const std::vector<std::string>& words) {
    static const std::map<std::string, ui::Key, std::less<>> arrows{{"Up", ui::Key::Up},
                                                                    {"Down", ui::Key::Down},
                                                                    {"Left", ui::Key::Left},
                                                                    {"Right", ui::Key::Right}};
    const auto arrow = words.empty() ? arrows.end() : arrows.find(words[0]);
    if (words.size() < 2 || (words[0] != "F1" && arrow == arrows.end()))
        throw ScenarioError("key takes F1, Up, Down, Left or Right, and a name");
    if (Game::isWindowName(words[1])) {
        if (arrow != arrows.end()) return; // a window has no use for the arrow keys
        runtime_.helpKey(*windowNamed(words[1], true), nullptr);
        return;
    }
    const Target t = resolve(words[1], true);
    if (!t.control) throw ScenarioError(words[1] + " cannot take the focus");
    if (arrow != arrows.end())
        runtime_.keyPress(*t.control, arrow->second);
    else
        runtime_.helpKey(*t.form, t.control);
}

void ScenarioRunner::select(const std::string& name, int row) {
    ui::Control* control = resolve(name, true).control;
    if (auto* list = dynamic_cast<ui::ComboBox*>(control)) return runtime_.choose(*list, row);
    auto* grid = dynamic_cast<ui::Grid*>(control);
    if (!grid) throw ScenarioError(name + " is not a grid or a list");
    runtime_.select(*grid, row);
}

void ScenarioRunner::type(const std::string& name, const std::string& text) {
    auto* box = dynamic_cast<ui::TextBox*>(resolve(name, true).control);
    if (!box) throw ScenarioError(name + " is not a text box");
    runtime_.type(*box, text);
}

void ScenarioRunner::close(const std::string& window) {
    if (!Game::isWindowName(window)) throw ScenarioError("no window " + window);
    if (auto* form = windowNamed(window, false)) runtime_.closeRequest(*form);
}

void ScenarioRunner::tick(int count) {
    for (int i = 0; i < count && !host_.ended(); ++i) {
        host_.advanceClock(1);
        runtime_.tick(*game_->main->Timer1);
    }
}

void ScenarioRunner::tickTimer(const std::string& name) {
    const Target t = resolve(name, false);
    auto* timer = dynamic_cast<ui::Timer*>(t.control);
    if (!timer) throw ScenarioError(name + " is not a timer");
    // A timer of a window that is not loaded is its design copy's, which never ticks.
    if (!t.form) return;
    host_.advanceClock(timer->interval() / 1000.0);
    runtime_.tick(*timer);
}

void ScenarioRunner::set(const std::string& assignment) {
    const auto eq = assignment.find('=');
    if (eq == std::string::npos) throw ScenarioError("set takes NAME=VALUE: " + assignment);
    const std::string name = assignment.substr(0, eq);
    const double value = parseNumber(assignment.substr(eq + 1));
    if (name == "main.Left") {
        game_->main->setLeft(value);
    } else if (name == "main.Top") {
        game_->main->setTop(value);
    } else if (auto field = stateField(name)) {
        field->write(*game_, field->index, value);
    } else {
        throw ScenarioError("no field " + name);
    }
}

std::string ScenarioRunner::squadronItem(const std::string& name) {
    auto* link = game_->squadron ? game_->squadron->link() : nullptr;
    const logbook::SquadronStatus status = link ? link->status() : logbook::SquadronStatus{};
    if (name == "sent") return std::to_string(status.sent);
    if (name == "pending") return std::to_string(status.pending);
    if (name == "state") return logbook::stateName(status.state);
    throw ScenarioError("no squadron item " + name);
}

void ScenarioRunner::print(const std::string& item) {
    const auto parts = splitAt(item, '.');
    std::string value;
    // The logbook's own items; its window's properties are printed as any window's.
    if (parts[0] == "logbook" && parts.size() > 1 &&
        (parts[1] == "count" || parts[1] == "last" || parts[1] == "stats")) {
        value = logbookItem(game_->logbook.get(), parts);
    } else if (parts[0] == "squadron" && parts.size() == 2 &&
               (parts[1] == "sent" || parts[1] == "pending" || parts[1] == "state")) {
        value = squadronItem(parts[1]);
    } else if (item == "class.count") {
        // The trainees whose flights the map shows; none before the window opens.
        const ClassWindow* w = game_->classWindow.existing();
        value = std::to_string(w ? w->shownCount() : 0);
    } else if (parts[0] == "setting" && parts.size() > 1) {
        const auto saved = host_.setting(item.substr(8));
        value = saved ? ui::headless::quoted(*saved) : "none";
    } else if (item == "zoom") {
        value = std::to_string(game_->runtime.zoom());
    } else if (parts.size() == 1) {
        auto field = stateField(item);
        if (!field) throw ScenarioError("no field " + item);
        value = field->read(*game_, field->index);
    } else if (parts.size() == 2 && parts[1] == "drawing") {
        if (parts[0] == "panel") {
            if (auto* panel = windowNamed("panel", false))
                printDrawing(out_, "panel", panel->drawing());
        } else if (isSurfaceName(parts[0])) {
            const Target t = resolve(parts[0], false);
            printDrawing(out_, parts[0], dynamic_cast<ui::PictureBox&>(*t.control).drawing());
        } else {
            throw ScenarioError("no surface " + parts[0]);
        }
        return;
    } else if (parts.size() == 3 && parts[2] == "drawing" && Game::isWindowName(parts[0])) {
        // A surface of another window than the main one, such as debrief.picMap.
        const std::string surface = parts[0] + "." + parts[1];
        const Target t = resolve(surface, false);
        auto* picture = dynamic_cast<ui::PictureBox*>(t.control);
        if (!picture) throw ScenarioError("no surface " + surface);
        printDrawing(out_, surface, picture->drawing());
        return;
    } else if (parts.size() == 2 && Game::isWindowName(parts[0])) {
        value = windowProperty(windowNamed(parts[0], false), parts[1]);
    } else if (parts.size() == 2 || parts.size() == 3) {
        const std::string control = parts.size() == 3 ? parts[0] + "." + parts[1] : parts[0];
        const Target t = resolve(control, false);
        if (t.menu)
            value = menuItemProperty(*t.menu, parts.back());
        else if (t.control)
            value = controlProperty(*t.control, parts.back());
        else
            throw ScenarioError(control + " has no properties");
    } else {
        throw ScenarioError("cannot print " + item);
    }
    out_ << item << '=' << value << '\n';
}

} // namespace script
