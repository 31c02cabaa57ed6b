#pragma once

// How the game and the help viewer (vantrel-help) talk: one local socket per user and help
// file, one text line each way. Header-only so that both sides build it without a library.

#include <cstdint>
#include <optional>
#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QString>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ui::qt::help {

// The WinHelp commands the game uses.
inline constexpr std::int32_t kTopic = 1;
inline constexpr std::int32_t kClose = 2;
inline constexpr std::int32_t kContents = 3;

// Short waits: the game must never stall on a busy or dead viewer.
inline constexpr int kConnectTimeoutMs = 500;
inline constexpr int kReplyTimeoutMs = 1000;

// The same file named two ways must reach the same viewer.
inline QString absoluteHelpFile(const QString& helpFile) {
    return QDir::cleanPath(QFileInfo(helpFile).absoluteFilePath());
}

inline QString userId() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// A hash rather than the path itself keeps the name within the Unix socket path limit.
inline QString socketName(const QString& helpFile) {
    const QByteArray hash =
        QCryptographicHash::hash(absoluteHelpFile(helpFile).toUtf8(), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    return QStringLiteral("vantrel-help-%1-%2").arg(userId(), QString::fromLatin1(hash));
}

struct Request {
    bool status = false; // asks only which process serves
    std::int32_t command = 0;
    std::int32_t data = 0;
};

inline QByteArray commandRequest(std::int32_t command, std::int32_t data) {
    return QByteArray::number(command) + ' ' + QByteArray::number(data) + '\n';
}

inline QByteArray statusRequest() {
    return "status\n";
}

inline std::optional<Request> parseRequest(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (text == "status") return Request{true, 0, 0};
    const QList<QByteArray> parts = text.split(' ');
    if (parts.size() != 2) return std::nullopt;
    bool commandOk = false;
    bool dataOk = false;
    const int command = parts[0].toInt(&commandOk);
    const int data = parts[1].toInt(&dataOk);
    if (!commandOk || !dataOk) return std::nullopt;
    return Request{false, command, data};
}

inline QByteArray okReply(qint64 pid) {
    return "ok " + QByteArray::number(pid) + '\n';
}

inline QByteArray errorReply() {
    return "error\n";
}

inline std::optional<qint64> parseOkReply(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (!text.startsWith("ok ")) return std::nullopt;
    bool ok = false;
    const qint64 pid = text.mid(3).toLongLong(&ok);
    if (!ok || pid <= 0) return std::nullopt;
    return pid;
}

// Sends one request to the viewer listening on `name`. Returns the serving process id, or
// nothing when no viewer answered in time (none running, a stale socket, a hung viewer).
inline std::optional<qint64> exchange(const QString& name, const QByteArray& request) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectTimeoutMs)) return std::nullopt;
    socket.write(request);
    if (!socket.waitForBytesWritten(kConnectTimeoutMs)) return std::nullopt;
    const QDeadlineTimer deadline(kReplyTimeoutMs);
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime()))) return std::nullopt;
    }
    return parseOkReply(socket.readLine());
}

} // namespace ui::qt::help
