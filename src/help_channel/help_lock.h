// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace ui::qt::help {

// The lock a viewer holds for its whole life: while it is held, a viewer of the help file
// lives (perhaps busy or stopped) and no second one may start. The kernel drops it when the
// holder dies, so a killed viewer never leaves a stale lock behind.
class HelpLock {
public:
    explicit HelpLock(QString path);
    ~HelpLock();
    HelpLock(const HelpLock&) = delete;
    HelpLock& operator=(const HelpLock&) = delete;

    // Takes the lock at once or not at all. The lock file must be a plain file of ours.
    bool tryLock();

    // Whether some process holds the lock at `path`, asked without waiting.
    static bool isHeld(const QString& path);

private:
    QString path_;
    int fd_ = -1;
};

} // namespace ui::qt::help
