// SPDX-License-Identifier: MIT
#include "squadron/membership.h"

#include "squadron/outbox.h"
#include "squadron/upload.h"
#include "ui/host.h"

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <QObject>
#include <thread>

namespace squadron {

namespace {

// A test that reaches nothing answers within this; libpq's own wait is shorter still.
constexpr int kTestTimeoutMs = 10000;
constexpr const char* kConnectTimeoutSeconds = "8";
// A read of the whole class, tracks included, may take a while on a slow line.
constexpr int kClassTimeoutMs = 30000;

struct Field {
    const char* key;
    std::string logbook::SquadronSettings::*member;
};
constexpr Field kFields[] = {
    {"squadron/server", &logbook::SquadronSettings::server},
    {"squadron/port", &logbook::SquadronSettings::port},
    {"squadron/database", &logbook::SquadronSettings::database},
    {"squadron/trainee", &logbook::SquadronSettings::trainee},
    {"squadron/tlsMode", &logbook::SquadronSettings::tlsMode},
    {"squadron/rootCertificate", &logbook::SquadronSettings::rootCertificate},
};

bool isSocketFolder(const std::string& server) {
    return !server.empty() && server.front() == '/';
}

// One field of a line of libpq's password file, with its backslash escapes undone; false at
// the end of the line.
bool nextPassField(const std::string& line, std::size_t& at, std::string& field) {
    if (at > line.size()) return false;
    field.clear();
    for (; at < line.size() && line[at] != ':'; ++at) {
        if (line[at] == '\\' && at + 1 < line.size()) ++at;
        field += line[at];
    }
    ++at;
    return true;
}

// Whether libpq's password file holds a line for these settings, as libpq matches them: a
// socket is "localhost", the usual port "5432", the database the user's name when none is given.
bool passwordFileMatches(const logbook::SquadronSettings& s) {
    std::string path;
    if (const char* file = std::getenv("PGPASSFILE"))
        path = file;
    else if (const char* home = std::getenv("HOME"))
        path = std::string(home) + "/.pgpass";
    std::ifstream in(path);
    const std::string wanted[] = {isSocketFolder(s.server) ? "localhost" : s.server,
                                  s.port.empty() ? "5432" : s.port,
                                  s.database.empty() ? s.trainee : s.database, s.trainee};
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '#') continue;
        std::size_t at = 0;
        std::string field;
        bool all = true;
        for (const auto& w : wanted)
            all = all && nextPassField(line, at, field) && (field == "*" || field == w);
        if (all && nextPassField(line, at, field)) return true;
    }
    return false;
}

} // namespace

Settings connectionSettings(const logbook::SquadronSettings& s,
                            const std::optional<std::string>& password) {
    Settings out{{"host", s.server}};
    if (!s.port.empty()) out.emplace_back("port", s.port);
    if (!s.database.empty()) out.emplace_back("dbname", s.database);
    out.emplace_back("user", s.trainee);
    if (password && !password->empty()) out.emplace_back("password", *password);
    if (!isSocketFolder(s.server)) {
        out.emplace_back("sslmode", s.tlsMode.empty() ? "verify-full" : s.tlsMode);
        // Without one, libpq reads ~/.postgresql/root.crt.
        if (!s.rootCertificate.empty()) out.emplace_back("sslrootcert", s.rootCertificate);
    }
    out.emplace_back("connect_timeout", kConnectTimeoutSeconds);
    return out;
}

std::string keyringKey(const logbook::SquadronSettings& s) {
    return s.trainee + "@" + s.server + ":" + s.port + "/" + s.database;
}

// What a test's thread hands its answer to: the receiver lives on the membership's thread and
// is gone once the membership is.
struct Membership::Tests {
    std::mutex mutex;
    QObject* receiver = nullptr;
};

Membership::Membership(ui::Host& host, std::string logbookPath, Keyring* keyring)
    : host_(host), logbookPath_(std::move(logbookPath)), keyring_(keyring),
      receiver_(std::make_unique<QObject>()), tests_(std::make_shared<Tests>()),
      alive_(std::make_shared<bool>(true)) {
    tests_->receiver = receiver_.get();
    for (const auto& f : kFields)
        settings_.*f.member = host_.setting(f.key).value_or("");
    if (settings_.tlsMode.empty()) settings_.tlsMode = "verify-full";
}

Membership::~Membership() {
    link_.reset();
    class_.reset();
    std::lock_guard lock(tests_->mutex);
    tests_->receiver = nullptr;
}

void Membership::start() {
    if (!settings_.joined()) return;
    if (!keyring_) return makeLink();
    std::weak_ptr<bool> alive = alive_;
    const std::string key = keyringKey(settings_);
    keyring_->read(
        key, [this, alive, key](std::optional<std::string> password, const std::string& problem) {
            if (alive.expired()) return;
            keyringAnswered(problem);
            // Joined elsewhere or left meanwhile: this password belongs to no server in use now.
            if (!settings_.joined() || keyringKey(settings_) != key) return;
            if (password && !password_) password_ = std::move(password);
            makeLink();
        });
}

bool Membership::passwordKnown() {
    return (password_ && !password_->empty()) || passwordFileMatches(settings_);
}

std::string Membership::keyringProblem() {
    // The keyring's own words go to the developer's diagnostics; the player needs these.
    if (!keyring_ || !keyringProblem_.empty())
        return "No keyring is available: the password you type is kept only until the game "
               "ends.";
    return {};
}

void Membership::keyringAnswered(const std::string& problem) {
    if (!problem.empty() && problem != keyringProblem_) host_.diagnostic("squadron", problem);
    keyringProblem_ = problem;
}

void Membership::test(const logbook::SquadronSettings& settings, const std::string& password,
                      std::function<void(bool, const std::string&)> done) {
    Settings libpq = connectionSettings(settings, password.empty() ? password_ : password);
    // Detached: the window never waits for it, not even when closing; a late answer is dropped.
    std::thread([libpq = std::move(libpq), tests = tests_, done = std::move(done)]() mutable {
        Answer answer;
        {
            Connection connection(std::move(libpq), kTestTimeoutMs);
            answer = connection.open();
            if (answer.ok()) answer = check(connection);
        }
        std::lock_guard lock(tests->mutex);
        if (!tests->receiver) return;
        QMetaObject::invokeMethod(
            tests->receiver,
            [done = std::move(done), ok = answer.ok(), words = std::move(answer.words)] {
                done(ok, words);
            },
            Qt::QueuedConnection);
    }).detach();
}

std::function<void(const std::string&)> Membership::noteKeyring() {
    std::weak_ptr<bool> alive = alive_;
    return [this, alive](const std::string& problem) {
        if (!alive.expired()) keyringAnswered(problem);
    };
}

void Membership::join(const logbook::SquadronSettings& settings, const std::string& password) {
    const std::string oldKey = settings_.joined() ? keyringKey(settings_) : "";
    remember(settings);
    const std::string key = keyringKey(settings_);
    // A password typed for one server and trainee is never offered to another.
    if (!password.empty())
        password_ = password;
    else if (oldKey != key)
        password_.reset();
    if (keyring_ && password_ && !password_->empty() && (!password.empty() || oldKey != key))
        keyring_->write(key, *password_, noteKeyring());
    if (keyring_ && !oldKey.empty() && oldKey != key) keyring_->remove(oldKey, noteKeyring());
    makeLink();
}

void Membership::leave() {
    link_.reset();
    class_.reset();
    if (keyring_ && settings_.joined()) keyring_->remove(keyringKey(settings_), noteKeyring());
    password_.reset();
    remember({});
    if (changed) changed();
}

void Membership::remember(const logbook::SquadronSettings& s) {
    settings_ = s;
    if (settings_.tlsMode.empty()) settings_.tlsMode = "verify-full";
    for (const auto& f : kFields)
        host_.saveSetting(f.key, s.*f.member);
}

void Membership::makeLink() {
    link_.reset(); // the old one stops before the new one starts
    class_.reset();
    if (!settings_.joined()) {
        if (changed) changed();
        return;
    }
    link_ = makeOutbox(logbookPath_, connectionSettings(settings_, password_));
    class_ = std::make_unique<ClassReader>(connectionSettings(settings_, password_),
                                           ClassReader::Mode::Threaded, kClassTimeoutMs);
    if (changed) changed();
}

} // namespace squadron
