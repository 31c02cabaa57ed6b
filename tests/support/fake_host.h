// SPDX-License-Identifier: MIT
#pragma once

#include "ui/headless/headless_host.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

// The recording host with what the player's machine would give: a store of settings, a screen
// that fits the window up to `largest` times its size, and message boxes during which
// `whileOpen` runs (to act while one is up).
struct FakeHost : ui::headless::HeadlessHost {
    using HeadlessHost::HeadlessHost;
    std::map<std::string, std::string> settings;
    double largest = 4.0;
    std::function<void()> whileOpen;

    std::optional<std::string> setting(const std::string& key) override {
        const auto it = settings.find(key);
        return it == settings.end() ? std::nullopt : std::optional(it->second);
    }
    void saveSetting(const std::string& key, const std::string& value) override {
        settings[key] = value;
    }
    double largestZoom(const ui::Form&) override { return largest; }
    int messageBox(const std::string& prompt, int buttons, const std::string& title) override {
        if (whileOpen) whileOpen();
        return HeadlessHost::messageBox(prompt, buttons, title);
    }
};
