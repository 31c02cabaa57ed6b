// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <utility>
#include <vector>

// Environment variables set for one test and put back as they were when it ends, in reverse
// order so that a variable set twice gets its first value back.
class ScopedEnv {
public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            qputenv(it->first, it->second);
    }
    void set(const char* name, const QByteArray& value) {
        saved_.emplace_back(name, qgetenv(name));
        qputenv(name, value);
    }

private:
    std::vector<std::pair<const char*, QByteArray>> saved_;
};
