// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>

namespace script {

// Another program holding the logbook file: a connection of its own inside a write
// transaction, so that the game's writes find the file locked until it lets go.
class LogbookHolder {
public:
    explicit LogbookHolder(const std::string& path);
    ~LogbookHolder();
    LogbookHolder(const LogbookHolder&) = delete;
    LogbookHolder& operator=(const LogbookHolder&) = delete;

    bool holding() const { return holding_; }

private:
    QString connection_;
    bool holding_ = false;
};

} // namespace script
