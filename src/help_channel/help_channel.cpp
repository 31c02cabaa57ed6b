// SPDX-License-Identifier: MIT
#include "help_channel.h"

#include <cerrno>
#include <cstring>
#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace ui::qt::help {

namespace {

// The longest name we put in the folder: "/help-" + 16 hex digits + ".lock".
constexpr qsizetype kLongestEntry = 27;

bool isOurClosedFolder(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

bool fitsSocketPath(const QByteArray& folder) {
    return folder.size() + kLongestEntry < qsizetype(sizeof(sockaddr_un::sun_path));
}

// Makes `folder` (mode 0700) unless it is there, then checks it is ours and closed to others.
bool makeOurFolder(const QByteArray& folder, QString* problem) {
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST) {
        *problem = QStringLiteral("%1: %2").arg(QFile::decodeName(folder),
                                                QString::fromLocal8Bit(::strerror(errno)));
        return false;
    }
    if (isOurClosedFolder(folder)) return true;
    *problem = QStringLiteral("%1 is not a folder of our own closed to other users")
                   .arg(QFile::decodeName(folder));
    return false;
}

} // namespace

QString normalisedDisplay(const QString& display) {
    static const QRegularExpression pattern(QStringLiteral("^([^:]*):(\\d+)(\\.\\d+)?$"));
    const QRegularExpressionMatch m = pattern.match(display);
    if (!m.hasMatch()) return display;
    const QString host = m.captured(1) == QLatin1String("unix") ? QString() : m.captured(1);
    return host + QLatin1Char(':') + m.captured(2);
}

QString sessionKey() {
    return qEnvironmentVariable("XDG_SESSION_ID") + QLatin1Char('|') +
           qEnvironmentVariable("WAYLAND_DISPLAY") + QLatin1Char('|') +
           normalisedDisplay(qEnvironmentVariable("DISPLAY"));
}

QString privateFolder(QString* problem) {
    QString why;
    const QByteArray uid = QByteArray::number(::getuid());
    QList<QByteArray> candidates;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && isOurClosedFolder(runtime)) candidates << runtime + "/vantrel";
    const QByteArray tmp = qgetenv("TMPDIR");
    if (tmp.startsWith('/')) candidates << tmp + "/vantrel-" + uid;
    candidates << "/tmp/vantrel-" + uid;
    for (const QByteArray& folder : candidates) {
        if (!fitsSocketPath(folder)) {
            why =
                QStringLiteral("%1 is too long a path for a socket").arg(QFile::decodeName(folder));
            continue;
        }
        // The channel's paths travel as text, to the viewer's command line among others: a
        // name that does not come back from text to the same bytes would name another file.
        if (QFile::encodeName(QFile::decodeName(folder)) != folder) {
            why = QStringLiteral("%1 is not a name the viewer can be given")
                      .arg(QFile::decodeName(folder));
            continue;
        }
        if (makeOurFolder(folder, &why)) return QFile::decodeName(folder);
    }
    if (problem) *problem = why;
    return {};
}

std::optional<Channel> channelFor(const QString& helpFile, QString* problem) {
    const QString folder = privateFolder(problem);
    if (folder.isEmpty()) return std::nullopt;
    const QByteArray key = helpFile.toUtf8() + '\n' + sessionKey().toUtf8();
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(16));
    const QString base = folder + QStringLiteral("/help-") + hash;
    return Channel{base, base + QStringLiteral(".lock")};
}

} // namespace ui::qt::help
