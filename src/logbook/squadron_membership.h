// SPDX-License-Identifier: MIT
#pragma once

#include "logbook/squadron_class.h"
#include "logbook/squadron_status.h"

#include <functional>
#include <string>

namespace logbook {

// The squadron the player joined, as the Squadron dialog shows it. The password is not here:
// it is kept apart, in the desktop's keyring.
struct SquadronSettings {
    std::string server; // a host name or address, or the folder of the server's Unix socket
    std::string port;   // "" for the usual one
    std::string database;
    std::string trainee; // the login name
    std::string tlsMode; // libpq's sslmode: "verify-full" unless the player chose a weaker one
    std::string rootCertificate; // a file the instructor handed out; "" for the system's store

    bool joined() const { return !server.empty() && !trainee.empty(); }
    friend bool operator==(const SquadronSettings&, const SquadronSettings&) = default;
};

// Joining and leaving the squadron, testing a connection and keeping the password. What takes
// the network or the keyring runs off the caller's thread; its answer comes back on it later.
class SquadronMembership {
public:
    virtual ~SquadronMembership() = default;

    virtual SquadronSettings settings() = 0; // as remembered; not joined() when in none
    // Whether a password is known for the remembered settings (from the keyring, from libpq's
    // own password or service file, or typed this run).
    virtual bool passwordKnown() = 0;
    // Why the password cannot be kept between runs, in words; "" when the keyring keeps it.
    virtual std::string keyringProblem() = 0;

    // Tries the settings: `done(ok, words)` says what worked or what did not.
    virtual void test(const SquadronSettings& settings, const std::string& password,
                      std::function<void(bool ok, const std::string& words)> done) = 0;
    // Remembers the settings, keeps the password (an empty one keeps the known one) and sends
    // the logbook's records from now on.
    virtual void join(const SquadronSettings& settings, const std::string& password) = 0;
    virtual void leave() = 0;

    // The records' way to the server; nullptr outside a squadron.
    virtual SquadronLink* link() = 0;
    // What the server holds for the whole class; nullptr outside a squadron.
    virtual SquadronClass* squadronClass() { return nullptr; }

    // Called on the owner's thread once link() and squadronClass() were made anew or dropped:
    // after joining or leaving, and once the keyring has given the password at start-up.
    std::function<void()> changed;
};

} // namespace logbook
