// SPDX-License-Identifier: MIT
// The help viewer's parts on their own: where it opens, what it reads, who it serves, and
// where its socket lives.
#include "bounded_file.h"
#include "game_registry.h"
#include "help_channel/help_channel.h"
#include "help_channel/help_protocol.h"
#include "placement.h"
#include "support/scoped_env.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace help = ui::qt::help;
using vantrel_help::placeBeside;

TEST(HelpPlacement, besideTheGameOnItsScreen) {
    const QRect screen(1920, 0, 1920, 1080); // the second of two screens
    const QSize size(640, 560);
    const struct {
        QRect game;
        QRect want;
    } cases[] = {
        {{1920, 100, 800, 600}, {2728, 100, 640, 560}},  // room on the right
        {{2568, 100, 624, 600}, {3200, 100, 640, 560}},  // exactly room on the right
        {{3000, 100, 832, 600}, {2352, 100, 640, 560}},  // room on the left only
        {{1930, 100, 1800, 600}, {3520, 100, 320, 560}}, // no room: narrow, on the right
        {{2000, 100, 1800, 600}, {1920, 100, 320, 560}}, // no room: narrow, on the left
        {{2300, 100, 1000, 600}, {3308, 100, 532, 560}}, // narrowed to the room on the right
        {{2400, 100, 1200, 600}, {1920, 100, 472, 560}}, // narrowed to the room on the left
        {{1920, 700, 800, 300}, {2728, 520, 640, 560}},  // kept on the screen's bottom
    };
    for (const auto& c : cases)
        EXPECT_EQ(placeBeside(c.game, screen, size), c.want) << c.game.x();
    EXPECT_EQ(placeBeside({0, 0, 10, 10}, {0, 0, 400, 300}, size), QRect(18, 0, 382, 300));
}

TEST(HelpFileReading, regularFilesUpToTheLimitOnly) {
    QTemporaryDir dir;
    const QString file = dir.filePath("f");
    for (const qint64 size : {0, 99, 100, 101}) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(QByteArray(size, 'x'));
        out.close();
        const auto read = vantrel_help::readRegularFile(file, 100);
        EXPECT_EQ(read.tooLarge, size > 100) << size;
        EXPECT_EQ(read.bytes.size(), size > 100 ? 0 : size);
    }
    ASSERT_EQ(::mkfifo(dir.filePath("fifo").toUtf8().constData(), 0600), 0);
    for (const QString& path : {dir.filePath("fifo"), QString("/dev/zero"), dir.path()})
        EXPECT_EQ(vantrel_help::readRegularFile(path, 100).problem, "it is not a regular file");
    EXPECT_FALSE(vantrel_help::readRegularFile(dir.filePath("missing"), 100).problem.isEmpty());
}

// A game that asks twice is one user; a close from no game in particular (0) closes at once, and
// one from a game never registered closes a viewer nobody else uses. The viewer waiting for
// another game, alive or not, is shown through a real viewer.
TEST(HelpGameRegistry, countsEachGameOnceAndLetsACloseFromNoGameThrough) {
    const qint64 self = ::getpid();
    vantrel_help::GameRegistry games;
    games.add(self);
    games.add(self);
    EXPECT_EQ(games.count(), 1u);
    EXPECT_TRUE(games.release(0));
    EXPECT_TRUE(vantrel_help::GameRegistry().release(self));
}

// The game's zoom travels with each command, and alone when it changes; a line with none is at
// 100 %, and one no game sends is refused.
TEST(HelpProtocol, zoomTravelsWithTheCommand) {
    const QRect game(10, 20, 768, 665);
    const struct {
        QByteArray line;
        std::optional<int> zoom; // none: refused
        std::optional<QRect> beside;
    } cases[] = {
        {help::commandRequest({false, help::kTopic, 70, 9, game, 150}), 150, game},
        {help::commandRequest({false, help::kTopic, 70, 9, std::nullopt, 200}), 200, {}},
        {help::commandRequest({false, help::kTopic, 70, 9, std::nullopt}), 100, {}},
        {"1 70 9 10 20 768 665\n", 100, game},
        {"1 70 9 0 0 0 0 300\n", 300, {}},
        {"1 70 9 0 0 0 0 24\n", {}, {}},
        {"1 70 9 0 0 0 0 401\n", {}, {}},
        {"1 70 9 0 0 0 0 -150\n", {}, {}},
        {help::zoomRequest(150, 9), 150, {}},
        {"zoom 24 9\n", {}, {}},
        {"zoom 150\n", {}, {}},
    };
    for (const auto& c : cases) {
        const auto request = help::parseRequest(c.line);
        ASSERT_EQ(request.has_value(), c.zoom.has_value()) << c.line.toStdString();
        if (!request) continue;
        EXPECT_EQ(request->zoom, *c.zoom) << c.line.toStdString();
        EXPECT_EQ(request->zoomOnly, c.line.startsWith("zoom")) << c.line.toStdString();
        EXPECT_EQ(request->beside, c.beside) << c.line.toStdString();
    }
}

TEST(HelpChannel, onePerDisplaySessionAndFile) {
    const struct {
        const char* given;
        const char* want;
    } displays[] = {{":0", ":0"},   {":0.0", ":0"},           {"unix:0.1", ":0"},
                    {":12", ":12"}, {"host:10.0", "host:10"}, {"wayland-0", "wayland-0"},
                    {"", ""}};
    for (const auto& d : displays)
        EXPECT_EQ(help::normalisedDisplay(d.given), d.want) << d.given;

    ScopedEnv env;
    const auto socketFor = [&env](const char* display, const char* session, const QString& file) {
        env.set("DISPLAY", display);
        env.set("XDG_SESSION_ID", session);
        return help::channelFor(file).value().socketPath;
    };
    const QString file = "/opt/vantrel/qr64.HLP";
    EXPECT_EQ(socketFor(":1", "4", file), socketFor(":1.0", "4", file));
    EXPECT_NE(socketFor(":1", "4", file), socketFor(":2", "4", file));
    EXPECT_NE(socketFor(":1", "4", file), socketFor(":1", "5", file));
    EXPECT_NE(socketFor(":1", "4", file), socketFor(":1", "4", "/opt/other/qr64.HLP"));
}

// The socket's folder is ours and closed to others, whatever the surroundings offer.
TEST(HelpChannel, aPrivateFolderWhateverTheSurroundings) {
    QTemporaryDir dir;
    ScopedEnv env;
    const QString uid = QString::number(::getuid());
    const QString open = dir.filePath("open"), closed = dir.filePath("closed"),
                  readOnly = dir.filePath("ro"), longer = dir.filePath(QString(100, 'l'));
    for (const QString& d : {open, closed, readOnly, longer})
        ASSERT_TRUE(QDir().mkpath(d));
    // Names that are no UTF-8, which no QString holds.
    const QByteArray oddTmp = QFile::encodeName(dir.path()) + "/tmp-\xff\xfe";
    const QByteArray oddRuntime = QFile::encodeName(dir.path()) + "/run-\xff\xfe";
    ASSERT_EQ(::mkdir(oddTmp.constData(), 0700), 0);
    ASSERT_EQ(::mkdir(oddRuntime.constData(), 0700), 0);
    ::chmod(open.toUtf8().constData(), 0755);
    ::chmod(closed.toUtf8().constData(), 0700);
    ::chmod(readOnly.toUtf8().constData(), 0500);
    const bool root = ::getuid() == 0; // root writes into a read-only folder all the same
    const struct {
        QByteArray runtime, tmp;
        QString want;
    } cases[] = {
        {closed.toUtf8(), "", closed + "/vantrel"},
        {open.toUtf8(), "", "/tmp/vantrel-" + uid}, // a runtime folder others may enter is not used
        {"", dir.filePath("missing").toUtf8(), "/tmp/vantrel-" + uid},
        {"", readOnly.toUtf8(), root ? readOnly + "/vantrel-" + uid : "/tmp/vantrel-" + uid},
        {"", longer.toUtf8(), "/tmp/vantrel-" + uid},
        {"", "relative/tmp", "/tmp/vantrel-" + uid},
        {"", oddTmp, "/tmp/vantrel-" + uid},
        {oddRuntime, "", "/tmp/vantrel-" + uid},
    };
    for (const auto& c : cases) {
        env.set("XDG_RUNTIME_DIR", c.runtime);
        env.set("TMPDIR", c.tmp);
        const QString folder = help::privateFolder();
        EXPECT_EQ(folder, c.want) << c.runtime.toStdString() << " " << c.tmp.toStdString();
        struct stat st {};
        ASSERT_EQ(::lstat(folder.toUtf8().constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::getuid());
    }
    // Someone else's folder, or a symlink, at our name is refused.
    env.set("XDG_RUNTIME_DIR", "");
    env.set("TMPDIR", closed.toUtf8());
    const QString ours = closed + "/vantrel-" + uid;
    QDir(ours).removeRecursively();
    ASSERT_TRUE(QFile::link(open, ours));
    EXPECT_EQ(help::privateFolder(), "/tmp/vantrel-" + uid);
    ::chmod(readOnly.toUtf8().constData(), 0700);
}

} // namespace
