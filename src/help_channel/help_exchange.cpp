// SPDX-License-Identifier: MIT
#include "help_exchange.h"

#include "help_protocol.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <QDeadlineTimer>
#include <QFile>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace ui::qt::help {

namespace {

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

bool connectTo(int fd, const QByteArray& path, const QDeadlineTimer& deadline) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof(address.sun_path))) return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0)
        return true;
    if (errno != EINPROGRESS && errno != EAGAIN) return false;
    if (!waitFor(fd, POLLOUT, deadline)) return false;
    int error = 0;
    socklen_t size = sizeof(error);
    return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

} // namespace

// Waits for `events` on `fd` until the deadline; false when it passed first.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline) {
    for (;;) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0) return false;
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, int(left));
        if (n > 0) return true;
        if (n < 0 && errno != EINTR) return false;
    }
}

bool writeAll(int fd, QByteArray bytes, const QDeadlineTimer& deadline) {
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove(0, sent);
        } else if (sent < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else if (!waitFor(fd, POLLOUT, deadline)) {
            return false;
        }
    }
    return true;
}

std::optional<QByteArray> readLine(int fd, const QDeadlineTimer& deadline) {
    QByteArray line;
    char buffer[kLongestLine];
    while (!line.contains('\n')) {
        if (line.size() >= kLongestLine) return std::nullopt;
        if (!waitFor(fd, POLLIN, deadline)) return std::nullopt;
        const ssize_t got = ::recv(fd, buffer, size_t(kLongestLine - line.size()), 0);
        if (got == 0) return std::nullopt;
        if (got < 0 && errno != EAGAIN && errno != EINTR) return std::nullopt;
        if (got > 0) line.append(buffer, got);
    }
    return line.left(line.indexOf('\n') + 1);
}

bool isOurSocket(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::getuid();
}

long peerUser(int socket) {
    ucred credentials{};
    socklen_t size = sizeof(credentials);
    if (::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) return -1;
    return long(credentials.uid);
}

std::optional<qint64> exchange(const QString& socketPath, const QByteArray& request,
                               int deadlineMs) {
    const QDeadlineTimer deadline(deadlineMs);
    const QByteArray path = QFile::encodeName(socketPath);
    if (!isOurSocket(path)) return std::nullopt;
    const Descriptor socket{::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)};
    if (socket.fd < 0 || !connectTo(socket.fd, path, deadline)) return std::nullopt;
    if (peerUser(socket.fd) != long(::getuid())) return std::nullopt;
    if (!writeAll(socket.fd, request, deadline)) return std::nullopt;
    const auto line = readLine(socket.fd, deadline);
    if (!line) return std::nullopt;
    return parseOkReply(*line);
}

} // namespace ui::qt::help
