// SPDX-License-Identifier: MIT
// The help channel among other users and broken peers. Cases that need a second user create a
// throwaway one, and skip when not run as root.
#include "help_channel/help_channel.h"
#include "help_channel/help_exchange.h"
#include "help_channel/help_protocol.h"
#include "support/scoped_env.h"
#include "support/throwaway_user.h"
#include "ui/qt/help_client.h"
#include "viewer_processes.h"

#include <gtest/gtest.h>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace help = ui::qt::help;

// hostile_listener.py in one of its modes, as us or as another user.
struct Listener {
    QProcess process;
    Listener(const QString& mode, const QString& path, const ThrowawayUser* user = nullptr) {
        const QStringList command{"/usr/bin/python3", HOSTILE_LISTENER, mode, path};
        if (user)
            process.start("setpriv", user->as(command));
        else
            process.start(command[0], command.mid(1));
        if (mode != "ask") process.waitForReadyRead(kStartMs); // "listening"
    }
    ~Listener() {
        process.kill();
        process.waitForFinished();
    }
};

class HelpHostile : public HelpFileTest {
protected:
    void SetUp() override {
        HelpFileTest::SetUp();
        write({});
    }

    ui::qt::HelpClient client_{VANTREL_HELP_VIEWER};
    ScopedEnv env_;
};

// Cases with a second user: a throwaway one, made only when run as root.
class HelpHostileOtherUser : public HelpHostile {
protected:
    void SetUp() override {
        HelpHostile::SetUp();
        if (::getuid() != 0) GTEST_SKIP() << "needs root to create a second user";
        other_.emplace("vtrhost");
        ASSERT_NE(other_->uid, 0u) << "no second user could be made";
    }
    std::optional<ThrowawayUser> other_;
};

// A peer that never answers, dribbles or floods holds an exchange no longer than its deadline
// and no longer than one protocol line; unbounded, these never return.
TEST_F(HelpHostile, exchangeKeepsItsDeadlineAndLineLength) {
    for (const QString mode : {"silent", "trickle", "flood"}) {
        const QString path = dir_.filePath(mode);
        Listener listener(mode, path);
        EXPECT_FALSE(help::exchange(path, help::statusRequest())) << mode.toStdString();
    }
    Listener answering("answer", dir_.filePath("answer"));
    EXPECT_EQ(help::exchange(dir_.filePath("answer"), help::statusRequest()), 1);
}

TEST_F(HelpHostileOtherUser, anotherUsersListenerIsNeverBelieved) {
    ::chmod(dir_.path().toUtf8().constData(), 0777);
    const QString path = dir_.filePath("theirs");
    Listener listener("answer", path, &*other_);
    ASSERT_TRUE(QFileInfo::exists(path));
    EXPECT_FALSE(help::exchange(path, help::statusRequest())) << "a socket of theirs";
    ASSERT_EQ(::chown(path.toUtf8().constData(), ::getuid(), ::getgid()), 0);
    EXPECT_FALSE(help::exchange(path, help::statusRequest())) << "their process behind our file";
}

// Another user who takes the names in advance in a shared TMPDIR catches no help request: our
// socket lives in a folder of our own, and a viewer opens.
TEST_F(HelpHostileOtherUser, namesTakenInAdvanceAreNotOurs) {
    QTemporaryDir shared;
    ::chmod(shared.path().toUtf8().constData(), 01777);
    env_.set("XDG_RUNTIME_DIR", "");
    env_.set("TMPDIR", shared.path().toUtf8());
    const QString squatted = shared.path() + "/vantrel-" + QString::number(::getuid());
    QProcess::execute("setpriv", other_->as({"mkdir", "-m", "0777", squatted}));
    const QString name = QFileInfo(channelOf(file_).socketPath).fileName();
    Listener listener("answer", squatted + "/" + name, &*other_);
    QProcess::execute("setpriv", other_->as({"touch", squatted + "/" + name + ".lock"}));

    EXPECT_FALSE(channelOf(file_).socketPath.startsWith(squatted));
    EXPECT_EQ(client_.call(file_, help::kContents, 0), 1);
    const auto viewer = waitForViewer();
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewersOf(file_), QList<qint64>{*viewer});
}

// The viewer hangs up on a caller of another user, even one let into its folder.
TEST_F(HelpHostileOtherUser, theViewerAnswersOnlyItsUser) {
    QTemporaryDir tmp;
    env_.set("XDG_RUNTIME_DIR", "");
    env_.set("TMPDIR", tmp.path().toUtf8());
    ASSERT_EQ(client_.call(file_, help::kContents, 0), 1);
    ASSERT_TRUE(waitForViewer());
    const QString socket = channelOf(file_).socketPath;
    for (const QString& path : {tmp.path(), QFileInfo(socket).path(), socket})
        ::chmod(path.toUtf8().constData(), 0777);
    Listener asking("ask", socket, &*other_);
    ASSERT_TRUE(asking.process.waitForFinished(kStartMs));
    const QByteArray said = asking.process.readAllStandardOutput();
    EXPECT_FALSE(said.contains("b'ok")) << said.toStdString();
    // It got through to the viewer, which hung up: no "Permission denied" on the way.
    EXPECT_TRUE(said.startsWith("b''") || said.contains("reset by peer") ||
                said.contains("Broken pipe"))
        << said.toStdString();
}

// A page naming a picture elsewhere, /dev/zero, a name relative to the viewer's working folder, a
// FIFO and a style sheet elsewhere: the viewer opens none of them, as the trace of its calls
// shows, and its window goes on obeying the game.
TEST_F(HelpHostile, aHostilePageOpensNothingOutsideItsFolder) {
    if (QProcess::execute("strace", {"-o", "/dev/null", "true"}) != 0)
        GTEST_SKIP() << "strace cannot trace here";
    QTemporaryDir elsewhere; // also the viewer's working folder
    const QString outside = elsewhere.filePath("outside.png");
    const QString fifo = elsewhere.filePath("fifo.png");
    const QImage picture(4, 4, QImage::Format_RGB32);
    for (const QString& path : {outside, elsewhere.filePath("planted.png"),
                                elsewhere.filePath("outside.css"), dir_.filePath("inside.png")})
        ASSERT_TRUE(path.endsWith(".css") ? QFile::copy(outside, path) : picture.save(path, "PNG"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QFile page(file_);
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><head><link rel=\"stylesheet\" href=\"" +
               elsewhere.filePath("outside.css").toUtf8() + "\"></head><body>");
    for (const QString& source : {outside, QString("/dev/zero"), QString("planted.png"), fifo})
        page.write("<p><img src=\"" + source.toUtf8() + "\"></p>");
    page.write("<p><img src=\"inside.png\"></p></body></html>"); // drawn last
    page.close();

    const QString trace = dir_.filePath("trace");
    QProcess viewer;
    viewer.setWorkingDirectory(elsewhere.path());
    viewer.start("strace", {"-f", "-qq", "-e", "trace=open,openat", "-o", trace,
                            VANTREL_HELP_VIEWER, file_, "3", "0"});
    const QByteArray inside =
        QFile::encodeName(QFileInfo(dir_.filePath("inside.png")).canonicalFilePath());
    (void)QTest::qWaitFor(
        [&] {
            QFile log(trace);
            return log.open(QIODevice::ReadOnly) && log.readAll().contains(inside);
        },
        kStartMs);
    EXPECT_EQ(client_.call(file_, help::kClose, 0), 1);
    EXPECT_TRUE(viewer.waitForFinished(kStartMs)) << "the window no longer obeys";
    QFile log(trace);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray calls = log.readAll();
    EXPECT_TRUE(calls.contains(inside));
    for (const QByteArray& name : {QFile::encodeName(elsewhere.path()) + "/",
                                   QByteArray("\"/dev/zero\""), QByteArray("\"planted.png\"")})
        EXPECT_FALSE(calls.contains(name)) << name.toStdString();
}

} // namespace
