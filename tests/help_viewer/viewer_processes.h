// SPDX-License-Identifier: MIT
#pragma once

#include "help_channel/help_channel.h"
#include "help_channel/help_exchange.h"
#include "help_channel/help_protocol.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

// Long enough for a process to start on a loaded machine.
constexpr int kStartMs = 10000;

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

// The pid of the viewer answering on the help file's socket now, if one does.
inline std::optional<qint64> viewerStatus(const QString& helpFile) {
    return ui::qt::help::exchange(channelOf(helpFile).socketPath, ui::qt::help::statusRequest());
}

// Waits for a viewer to answer, other than `previous`; events are handled meanwhile.
inline std::optional<qint64> waitForViewer(const QString& helpFile,
                                           std::optional<qint64> previous = std::nullopt) {
    std::optional<qint64> pid;
    const auto fresh = [&] { return (pid = viewerStatus(helpFile)) && pid != previous; };
    return QTest::qWaitFor(fresh, kStartMs) ? pid : std::nullopt;
}

// Whatever happened, no viewer, socket or lock of the help file outlives a test.
inline void endViewersOf(const QString& helpFile) {
    for (const qint64 pid : viewersOf(helpFile))
        ::kill(pid_t(pid), SIGKILL);
    QFile::remove(channelOf(helpFile).socketPath);
    QFile::remove(channelOf(helpFile).lockPath);
}

// A help file of the test's own, in a folder of its own, written by `write`; no viewer, socket
// or lock of it outlives the test.
class HelpFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        file_ = dir_.filePath("qr64.HLP");
    }
    void TearDown() override { endViewersOf(file_); }
    void write(const QByteArray& bytes) {
        QFile out(file_);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    std::optional<qint64> waitForViewer(std::optional<qint64> previous = std::nullopt) const {
        return ::waitForViewer(file_, previous);
    }

    QTemporaryDir dir_;
    QString file_;
};
