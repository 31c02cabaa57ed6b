// SPDX-License-Identifier: MIT
#include "help_channel/help_exchange.h"
#include "help_channel/help_lock.h"
#include "help_channel/help_protocol.h"
#include "ui/qt/help_client.h"
#include "viewer_processes.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QProcess>
#include <QThread>

namespace {

namespace help = ui::qt::help;

class HelpClientTest : public HelpFileTest {
protected:
    void SetUp() override {
        HelpFileTest::SetUp();
        write("<html><body><h1>Contents</h1><h2><a name=\"70\"></a>Topic</h2></body></html>");
    }

    std::optional<qint64> status() const { return viewerStatus(file_); }
    bool waitUntilViewers(qsizetype count) const {
        return QTest::qWaitFor([&] { return viewersOf(file_).size() == count; }, kStartMs);
    }

    // A signalled process stops a moment later, on its own time.
    static bool waitUntilStopped(qint64 pid) {
        return QTest::qWaitFor(
            [pid] {
                QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
                return stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") T ");
            },
            kStartMs);
    }

    ui::qt::HelpClient client_{VANTREL_HELP_VIEWER};
};

TEST_F(HelpClientTest, oneViewerServesEveryCallUntilClosed) {
    EXPECT_EQ(client_.call(file_, help::kContents, 0), 1);
    const auto pid = waitForViewer();
    ASSERT_TRUE(pid);

    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    EXPECT_EQ(ui::qt::HelpClient(VANTREL_HELP_VIEWER).call(file_, help::kContents, 0), 1);
    EXPECT_EQ(status(), pid);
    EXPECT_EQ(viewersOf(file_), QList<qint64>{*pid});

    EXPECT_EQ(client_.call(file_, help::kClose, 0), 1);
    EXPECT_TRUE(waitUntilViewers(0));
    EXPECT_FALSE(status());
}

// Presses while the first viewer starts reach it, or find it starting and leave it be.
TEST_F(HelpClientTest, callsInQuickSuccessionLeaveOneViewer) {
    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    client_.call(file_, help::kContents, 0);
    client_.call(file_, help::kTopic, 70);
    ASSERT_TRUE(waitForViewer());
    EXPECT_TRUE(waitUntilViewers(1));
}

TEST_F(HelpClientTest, killedViewerIsReplacedDespiteItsSocket) {
    ASSERT_EQ(client_.call(file_, help::kContents, 0), 1);
    const auto killed = waitForViewer();
    ASSERT_TRUE(killed);
    ::kill(pid_t(*killed), SIGKILL);
    ASSERT_TRUE(waitUntilViewers(0));
    // Its files, the lock among them, close a moment after its command line is gone.
    (void)QTest::qWaitFor([&] { return !help::HelpLock::isHeld(channelOf(file_).lockPath); },
                          kStartMs);
    ASSERT_TRUE(QFile::exists(channelOf(file_).socketPath));

    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    const auto fresh = waitForViewer(killed);
    EXPECT_TRUE(fresh);
    EXPECT_NE(fresh, killed);
}

// A stopped viewer holds its lock: it is neither doubled nor robbed of its socket.
TEST_F(HelpClientTest, stoppedViewerIsNeverDoubled) {
    ASSERT_EQ(client_.call(file_, help::kContents, 0), 1);
    const auto stopped = waitForViewer();
    ASSERT_TRUE(stopped);
    ::kill(pid_t(*stopped), SIGSTOP);
    ASSERT_TRUE(waitUntilStopped(*stopped));
    for (int press = 0; press < 3; ++press)
        EXPECT_EQ(client_.call(file_, help::kTopic, 70), 0);
    EXPECT_EQ(viewersOf(file_), QList<qint64>{*stopped});
    ::kill(pid_t(*stopped), SIGCONT);
    EXPECT_EQ(waitForViewer(), stopped) << "it answers again on its own socket";
}

// Closing from one game leaves the viewer to another game that still uses it.
TEST_F(HelpClientTest, closeWaitsForTheLastGameOfTheSession) {
    QProcess otherGame;
    otherGame.start("sleep", {"60"});
    ASSERT_TRUE(otherGame.waitForStarted());
    ASSERT_EQ(client_.call(file_, help::kContents, 0), 1);
    const auto pid = waitForViewer();
    ASSERT_TRUE(pid);
    ASSERT_TRUE(help::exchange(
        channelOf(file_).socketPath,
        help::commandRequest({false, help::kContents, 0, otherGame.processId(), std::nullopt})));
    EXPECT_EQ(client_.call(file_, help::kClose, 0), 1);
    QThread::msleep(300); // time enough for a wrongly closing viewer to go
    EXPECT_EQ(status(), pid) << "the other game still uses the viewer";

    otherGame.kill(); // ends without closing its help
    otherGame.waitForFinished();
    EXPECT_EQ(client_.call(file_, help::kClose, 0), 1);
    EXPECT_TRUE(waitUntilViewers(0));
}

// A closing viewer leaves alone a socket at its name that is no longer its own.
TEST_F(HelpClientTest, closingViewerRemovesOnlyItsOwnSocket) {
    ASSERT_EQ(client_.call(file_, help::kContents, 0), 1);
    ASSERT_TRUE(waitForViewer());
    const QString path = channelOf(file_).socketPath;
    ASSERT_TRUE(QFile::rename(path, path + ".old"));
    QLocalServer newer;
    ASSERT_TRUE(newer.listen(path));
    ASSERT_TRUE(help::exchange(path + ".old",
                               help::commandRequest({false, help::kClose, 0, 0, std::nullopt})));
    EXPECT_TRUE(waitUntilViewers(0));
    EXPECT_TRUE(QFile::exists(path));
    QFile::remove(path + ".old");
}

TEST_F(HelpClientTest, closeWithoutViewerStartsNothing) {
    EXPECT_EQ(client_.call(file_, help::kClose, 0), 0);
    QThread::msleep(500); // time enough for a wrongly started viewer to show up
    EXPECT_TRUE(viewersOf(file_).isEmpty());
    EXPECT_FALSE(status());
}

// A viewer that is missing, cannot run or stops at once is told on screen once per run, and
// on standard error on each press.
TEST_F(HelpClientTest, noViewerIsToldOnceOnScreen) {
    const QString notExecutable = dir_.filePath("plain-file");
    const QString failing = dir_.filePath("failing-viewer");
    for (const QString& path : {notExecutable, failing}) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("#!/bin/sh\necho 'cannot open display' >&2\nexit 1\n");
    }
    QFile::setPermissions(failing, QFile::ReadOwner | QFile::ExeOwner);
    const struct {
        QString program;
        const char* said;
    } cases[] = {{dir_.filePath("no-such-viewer"), "is missing"},
                 {notExecutable, "not a program that can be run"},
                 {failing, "stopped before it opened the help"}};
    for (const auto& c : cases) {
        QStringList told;
        ui::qt::HelpClient client(c.program, [&told](const QString& m) { told << m; });
        ::testing::internal::CaptureStderr();
        client.call(file_, help::kContents, 0);
        client.call(file_, help::kTopic, 70);
        (void)QTest::qWaitFor([&told] { return !told.isEmpty(); }, kStartMs);
        QCoreApplication::processEvents();
        const std::string said = ::testing::internal::GetCapturedStderr();
        ASSERT_EQ(told.size(), 1) << c.said;
        EXPECT_TRUE(told[0].contains(c.program) && told[0].contains(c.said))
            << told[0].toStdString();
        EXPECT_NE(said.find(c.program.toStdString()), std::string::npos);
    }
}

TEST_F(HelpClientTest, missingHelpFileStillGivesAViewer) {
    ASSERT_TRUE(QFile::remove(file_));
    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    EXPECT_TRUE(waitForViewer());
}

} // namespace
