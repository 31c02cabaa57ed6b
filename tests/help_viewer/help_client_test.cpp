#include "ui/qt/help_client.h"
#include "ui/qt/help_protocol.h"
#include "viewer_processes.h"

#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QThread>

namespace {

namespace help = ui::qt::help;

constexpr int kStartTimeoutMs = 10000; // a process start on a loaded machine

class HelpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        file_ = dir_.filePath("qr64.HLP");
        QFile out(file_);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("<html><body><h1>Contents</h1><h2><a name=\"70\"></a>Topic</h2></body></html>");
    }
    // Whatever happened, no viewer and no socket outlive the test.
    void TearDown() override {
        for (const qint64 pid : viewersOf(file_))
            ::kill(pid_t(pid), SIGKILL);
        QLocalServer::removeServer(help::socketName(file_));
    }

    std::optional<qint64> status() const {
        return help::exchange(help::socketName(file_), help::statusRequest());
    }
    // Waits for a viewer to answer, other than `previous`.
    std::optional<qint64> waitForViewer(std::optional<qint64> previous = std::nullopt) const {
        const QDeadlineTimer deadline(kStartTimeoutMs);
        while (!deadline.hasExpired()) {
            const auto pid = status();
            if (pid && pid != previous) return pid;
            QThread::msleep(50);
        }
        return std::nullopt;
    }
    bool waitUntilViewers(qsizetype count) const {
        const QDeadlineTimer deadline(kStartTimeoutMs);
        while (viewersOf(file_).size() != count) {
            if (deadline.hasExpired()) return false;
            QThread::msleep(50);
        }
        return true;
    }

    QTemporaryDir dir_;
    QString file_;
    ui::qt::HelpClient client_{VANTREL_HELP_VIEWER};
};

TEST_F(HelpClientTest, OneViewerServesEveryCallUntilClosed) {
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

TEST_F(HelpClientTest, CallsInQuickSuccessionLeaveOneViewer) {
    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    EXPECT_EQ(client_.call(file_, help::kContents, 0), 1);
    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    ASSERT_TRUE(waitForViewer());
    EXPECT_TRUE(waitUntilViewers(1));
}

TEST_F(HelpClientTest, KilledViewerIsReplacedDespiteItsSocket) {
    ASSERT_EQ(client_.call(file_, help::kContents, 0), 1);
    const auto killed = waitForViewer();
    ASSERT_TRUE(killed);
    ::kill(pid_t(*killed), SIGKILL);
    ASSERT_TRUE(waitUntilViewers(0));
    ASSERT_TRUE(QFile::exists(QDir(QDir::tempPath()).filePath(help::socketName(file_))));

    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    const auto fresh = waitForViewer(killed);
    EXPECT_TRUE(fresh);
    EXPECT_NE(fresh, killed);
}

TEST_F(HelpClientTest, HungViewerIsReplaced) {
    ASSERT_EQ(client_.call(file_, help::kContents, 0), 1);
    const auto hung = waitForViewer();
    ASSERT_TRUE(hung);
    ::kill(pid_t(*hung), SIGSTOP); // still listening, never answering

    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    const auto fresh = waitForViewer(hung);
    EXPECT_TRUE(fresh);
    EXPECT_NE(fresh, hung);
}

TEST_F(HelpClientTest, CloseWithoutViewerStartsNothing) {
    EXPECT_EQ(client_.call(file_, help::kClose, 0), 0);
    QThread::msleep(500); // time enough for a wrongly started viewer to show up
    EXPECT_TRUE(viewersOf(file_).isEmpty());
    EXPECT_FALSE(status());
}

TEST_F(HelpClientTest, MissingViewerProgramFailsQuietly) {
    ui::qt::HelpClient client(dir_.filePath("no-such-viewer"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(client.call(file_, help::kContents, 0), 0);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no-such-viewer"), std::string::npos);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
}

TEST_F(HelpClientTest, MissingHelpFileStillGivesAViewer) {
    ASSERT_TRUE(QFile::remove(file_));
    EXPECT_EQ(client_.call(file_, help::kTopic, 70), 1);
    EXPECT_TRUE(waitForViewer());
}

} // namespace
