// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace ui::qt {

// Another process, followed by a pidfd so that a reused process id is never taken for it.
class ProcessHandle {
public:
    explicit ProcessHandle(qint64 pid);
    ~ProcessHandle();
    ProcessHandle(ProcessHandle&& other) noexcept;
    ProcessHandle& operator=(ProcessHandle&& other) noexcept;
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;

    qint64 pid() const { return pid_; }
    // Ended (a zombie counts as ended), or gone before we could follow it.
    bool hasEnded() const;

private:
    qint64 pid_;
    int fd_ = -1;
};

} // namespace ui::qt
