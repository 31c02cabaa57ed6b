// SPDX-License-Identifier: MIT
#pragma once

#include "ui/headless/headless_host.h"

#include <functional>
#include <string>

// The recording host whose message boxes run `whileOpen` while they are up, to act then.
struct FakeHost : ui::headless::HeadlessHost {
    using HeadlessHost::HeadlessHost;
    std::function<void()> whileOpen;

    int messageBox(const std::string& prompt, int buttons, const std::string& title) override {
        if (whileOpen) whileOpen();
        return HeadlessHost::messageBox(prompt, buttons, title);
    }
};
