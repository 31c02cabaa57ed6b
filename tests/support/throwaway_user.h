// SPDX-License-Identifier: MIT
#pragma once

#include <pwd.h>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <unistd.h>

// A user made for one test and removed after it (the tests run as root, for whom no file is
// out of reach). `uid` stays 0 when the user could not be made.
struct ThrowawayUser {
    explicit ThrowawayUser(const char* prefix)
        : name(QString::fromLatin1(prefix) + QString::number(::getpid())) {
        QProcess::execute("useradd", {"-M", "-N", "-s", "/usr/sbin/nologin", name});
        if (const passwd* entry = ::getpwnam(name.toUtf8().constData())) {
            uid = entry->pw_uid;
            gid = entry->pw_gid;
        }
    }
    ~ThrowawayUser() { QProcess::execute("userdel", {name}); }
    ThrowawayUser(const ThrowawayUser&) = delete;
    ThrowawayUser& operator=(const ThrowawayUser&) = delete;

    // The arguments of setpriv that run the command as this user; setpriv runs it in its own
    // place, so its pid is ours to end.
    QStringList as(const QStringList& command) const {
        return QStringList{"--reuid=" + QString::number(uid), "--regid=" + QString::number(gid),
                           "--clear-groups", "--"} +
               command;
    }

    QString name;
    uid_t uid = 0;
    gid_t gid = 0;
};
