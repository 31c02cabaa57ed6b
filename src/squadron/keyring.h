// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace squadron {

// Where the trainee's password is kept between runs: the desktop's keyring. Each call answers
// later, on the thread that made it, through its event loop. `problem` is "" when the keyring
// did what was asked, otherwise why it could not, in words; it never holds a password.
class Keyring {
public:
    virtual ~Keyring() = default;
    // The password kept under `key`; nothing when there is none (or the keyring failed).
    virtual void
    read(const std::string& key,
         std::function<void(std::optional<std::string> password, const std::string& problem)>
             done) = 0;
    virtual void write(const std::string& key, const std::string& password,
                       std::function<void(const std::string& problem)> done) = 0;
    // Forgets the password under `key`; a key that holds none is no problem.
    virtual void remove(const std::string& key,
                        std::function<void(const std::string& problem)> done) = 0;
};

// The desktop's keyring through QtKeychain, under the service "Vantrel". Without a keyring
// session bus there is none (nullptr); without a secret service every call answers with a
// problem. Nothing is ever written anywhere else instead.
std::unique_ptr<Keyring> makeDesktopKeyring();

} // namespace squadron
