// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace logbook {

// How the logbook's records are getting to the squadron's server.
enum class SquadronState {
    None,    // the player has joined no squadron
    Online,  // the last try reached the server and it took what it was sent
    Offline, // the server could not be reached, or stopped answering
    Refused, // the server refused the login or a statement
};

struct SquadronStatus {
    SquadronState state = SquadronState::None;
    int sent = 0;        // records of this logbook the server has confirmed
    int pending = 0;     // records not confirmed yet
    std::string problem; // the last problem, in words for the player; "" when there was none
};

// The name a state is printed by: "none", "online", "offline", "refused".
inline const char* stateName(SquadronState state) {
    switch (state) {
    case SquadronState::Online:
        return "online";
    case SquadronState::Offline:
        return "offline";
    case SquadronState::Refused:
        return "refused";
    case SquadronState::None:
        break;
    }
    return "none";
}

// Sends the logbook's records to the squadron's server in the background. Nothing it does
// waits for the network on the caller's thread.
class SquadronLink {
public:
    virtual ~SquadronLink() = default;
    // New records were written: send them soon.
    virtual void nudge() = 0;
    virtual SquadronStatus status() = 0;
    // Tries at once, and waits at most `waitMs` until nothing is pending or the server cannot
    // be reached or refuses. Returns the status then.
    virtual SquadronStatus settle(int waitMs) = 0;
};

} // namespace logbook
