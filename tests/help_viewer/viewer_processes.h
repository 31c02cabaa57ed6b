// SPDX-License-Identifier: MIT
#pragma once

#include "ui/qt/help_channel.h"

#include <csignal>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

// The viewer processes serving `helpFile`, found by their command line, zombies left out.
inline QList<qint64> viewersOf(const QString& helpFile) {
    QList<qint64> pids;
    for (const QString& entry : QDir("/proc").entryList(QDir::Dirs)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid) continue;
        QFile cmdline("/proc/" + entry + "/cmdline");
        if (!cmdline.open(QIODevice::ReadOnly)) continue;
        const QList<QByteArray> args = cmdline.readAll().split('\0');
        if (args.size() > 1 && args[0].endsWith("vantrel-help") && args[1] == helpFile.toUtf8())
            pids.append(pid);
    }
    return pids;
}

inline ui::qt::help::Channel channelOf(const QString& helpFile) {
    return ui::qt::help::channelFor(helpFile).value_or(ui::qt::help::Channel{});
}

// Whatever happened, no viewer, socket or lock of the help file outlives a test.
inline void endViewersOf(const QString& helpFile) {
    for (const qint64 pid : viewersOf(helpFile))
        ::kill(pid_t(pid), SIGKILL);
    QFile::remove(channelOf(helpFile).socketPath);
    QFile::remove(channelOf(helpFile).lockPath);
}
