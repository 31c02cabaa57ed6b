// SPDX-License-Identifier: MIT
#include "process_handle.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <utility>

namespace ui::qt {

ProcessHandle::ProcessHandle(qint64 pid)
    : pid_(pid), fd_(pid > 0 ? int(::syscall(SYS_pidfd_open, pid_t(pid), 0)) : -1) {}

ProcessHandle::~ProcessHandle() {
    if (fd_ >= 0) ::close(fd_);
}

ProcessHandle::ProcessHandle(ProcessHandle&& other) noexcept
    : pid_(other.pid_), fd_(std::exchange(other.fd_, -1)) {}

ProcessHandle& ProcessHandle::operator=(ProcessHandle&& other) noexcept {
    std::swap(pid_, other.pid_);
    std::swap(fd_, other.fd_);
    return *this;
}

bool ProcessHandle::hasEnded() const {
    if (fd_ >= 0) {
        pollfd p{fd_, POLLIN, 0};
        return ::poll(&p, 1, 0) != 0;
    }
    // Without pidfds (old kernels) the process id is all there is.
    return pid_ <= 0 || (::kill(pid_t(pid_), 0) != 0 && errno == ESRCH);
}

} // namespace ui::qt
