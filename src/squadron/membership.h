// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_membership.h"
#include "squadron/class_reader.h"
#include "squadron/connection.h"
#include "squadron/keyring.h"

#include <memory>
#include <optional>
#include <string>

class QObject;

namespace ui {
class Host;
}

namespace squadron {

// The settings as libpq takes them. A password only when one is known and not empty, so that
// libpq's own password file and service file still apply; TLS settings only for a server on
// the network, never for the folder of a Unix socket.
Settings connectionSettings(const logbook::SquadronSettings& s,
                            const std::optional<std::string>& password);

// Where the keyring keeps the password of these settings: "TRAINEE@SERVER:PORT/DATABASE".
std::string keyringKey(const logbook::SquadronSettings& s);

// The player's membership: the settings in the host's settings (never the password), the
// password in `keyring` (nullptr: none, so a typed one lasts this run), and the link that sends
// the records of the logbook at `logbookPath`. Answers arrive through the event loop of the
// thread that built it, which must have one (a QCoreApplication is enough).
class Membership : public logbook::SquadronMembership {
public:
    Membership(ui::Host& host, std::string logbookPath, Keyring* keyring);
    ~Membership() override;
    Membership(const Membership&) = delete;
    Membership& operator=(const Membership&) = delete;

    // Reads the password from the keyring and then starts the link; returns at once.
    void start();

    logbook::SquadronSettings settings() override { return settings_; }
    bool passwordKnown() override;
    std::string keyringProblem() override;
    void test(const logbook::SquadronSettings& settings, const std::string& password,
              std::function<void(bool ok, const std::string& words)> done) override;
    void join(const logbook::SquadronSettings& settings, const std::string& password) override;
    void leave() override;
    logbook::SquadronLink* link() override { return link_.get(); }
    logbook::SquadronClass* squadronClass() override { return class_.get(); }

private:
    void remember(const logbook::SquadronSettings& s);
    void makeLink();
    std::function<void(const std::string&)> noteKeyring();
    void keyringAnswered(const std::string& problem);

    ui::Host& host_;
    std::string logbookPath_;
    Keyring* keyring_;
    logbook::SquadronSettings settings_;
    std::optional<std::string> password_;
    std::string keyringProblem_;
    std::unique_ptr<logbook::SquadronLink> link_;
    std::unique_ptr<ClassReader> class_; // made with the link, for the same server and login
    std::unique_ptr<QObject> receiver_;  // on the building thread: answers are delivered to it
    struct Tests;
    std::shared_ptr<Tests> tests_; // shared with the threads testing a connection
    std::shared_ptr<bool> alive_;  // never shared: the keyring's answers look at it
};

} // namespace squadron
