// SPDX-License-Identifier: MIT
#include "viewer_server.h"

#include "help_channel/help_exchange.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <QCoreApplication>
#include <QFile>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace vantrel_help {

namespace help = ui::qt::help;

namespace {

bool bindTo(int fd, const QByteArray& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
}

} // namespace

ViewerServer::ViewerServer(QString socketPath, QObject* context, Handler handler)
    : path_(std::move(socketPath)), context_(context), handler_(std::move(handler)) {}

ViewerServer::~ViewerServer() {
    close();
}

bool ViewerServer::listen() {
    const QByteArray path = QFile::encodeName(path_);
    if (path.size() >= qsizetype(sizeof(sockaddr_un::sun_path))) {
        error_ = QStringLiteral("the socket path is too long");
        return false;
    }
    listening_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    // A socket of ours left there belongs to a viewer that died: we hold the lock.
    bool bound = listening_ >= 0 && bindTo(listening_, path);
    if (!bound && errno == EADDRINUSE && help::isOurSocket(path) && ::unlink(path.constData()) == 0)
        bound = bindTo(listening_, path);
    struct stat st {};
    if (!bound || ::listen(listening_, 16) != 0 || ::lstat(path.constData(), &st) != 0 ||
        ::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
        error_ = QString::fromLocal8Bit(::strerror(errno));
        close();
        return false;
    }
    device_ = st.st_dev;
    inode_ = st.st_ino;
    thread_ = std::thread([this] { serve(); });
    return true;
}

void ViewerServer::close() {
    if (thread_.joinable()) {
        [[maybe_unused]] const ssize_t n = ::write(wake_[1], "x", 1);
        thread_.join();
    }
    for (int* fd : {&listening_, &wake_[0], &wake_[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    if (inode_ == 0) return;
    const QByteArray path = QFile::encodeName(path_);
    struct stat st {};
    if (::lstat(path.constData(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_)
        ::unlink(path.constData());
    inode_ = 0;
}

void ViewerServer::serve() {
    for (;;) {
        pollfd p[2] = {{listening_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(p, 2, -1) < 0 && errno != EINTR) return;
        if (p[1].revents != 0) return;
        if (p[0].revents == 0) continue;
        const int connection =
            ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection < 0) continue;
        if (help::peerUser(connection) == long(::getuid())) answer(connection);
        ::close(connection);
    }
}

// One request per connection, within the same deadline the asker keeps.
void ViewerServer::answer(int connection) {
    const QDeadlineTimer deadline(help::kExchangeDeadlineMs);
    const auto line = help::readLine(connection, deadline);
    const auto request = line ? help::parseRequest(*line) : std::nullopt;
    const QByteArray reply =
        request ? help::okReply(QCoreApplication::applicationPid()) : help::errorReply();
    help::writeAll(connection, reply, deadline);
    if (!request || request->status) return;
    QMetaObject::invokeMethod(
        context_, [this, r = *request] { handler_(r); }, Qt::QueuedConnection);
}

} // namespace vantrel_help
