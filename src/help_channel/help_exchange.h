// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

namespace ui::qt::help {

// The whole of one exchange, connection to reply: the game must never stall on a busy, stopped
// or hostile peer longer than this.
inline constexpr int kExchangeDeadlineMs = 1000;

// Waits for poll `events` on `fd` until the deadline; false when it passed first.
bool waitFor(int fd, short events, const QDeadlineTimer& deadline);
// Writes all of `bytes` to a non-blocking socket by the deadline.
bool writeAll(int fd, QByteArray bytes, const QDeadlineTimer& deadline);
// Reads one line of at most kLongestLine bytes from a non-blocking socket by the deadline;
// nothing when the peer sends more, ends early or is too slow.
std::optional<QByteArray> readLine(int fd, const QDeadlineTimer& deadline);

// Whether `path` is a socket (not a link to one) that belongs to us.
bool isOurSocket(const QByteArray& path);

// The user at the other end of a connected local socket, or -1 when it cannot be told.
long peerUser(int socket);

// Sends one request to the viewer listening at `socketPath` and reads its one-line reply.
// Returns the serving process id; nothing when no viewer of ours answered well in time: none
// running, a stale socket, a hung viewer, another user's listener, a reply that never ends.
std::optional<qint64> exchange(const QString& socketPath, const QByteArray& request,
                               int deadlineMs = kExchangeDeadlineMs);

} // namespace ui::qt::help
