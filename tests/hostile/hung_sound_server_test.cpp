// SPDX-License-Identifier: MIT
// A sound server that takes the connection and never answers must not hold the game: the
// window paints and the player flies on while the sound device is still being opened. Each
// test runs in a process of its own, since the sound device is looked up once per process.

#include "support/real_game.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <sys/socket.h>
#include <sys/un.h>

namespace {

// The address, in the folder `dir`, of a listening socket that never accepts: the kernel
// completes every connection, and nothing is ever written back. The socket stays open until the
// program has ended, so that its end cannot wait for the server either; empty when it cannot be
// made.
QByteArray silentSoundServer(const QTemporaryDir& dir) {
    const QByteArray path = QFile::encodeName(dir.filePath("native"));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (!dir.isValid() || path.size() >= qsizetype(sizeof address.sun_path)) return {};
    std::copy(path.begin(), path.end(), address.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 64) != 0)
        return {};
    return "unix:" + path;
}

// Far above the start of a game on a loaded machine, far below the sound client's own
// connection timeout: only a wait for the silent server gets past it.
constexpr qint64 kHangBoundMs = 5000;

TEST(HungSoundServer, theWindowPaintsAndTheGameGoesOnWhileTheServerNeverAnswers) {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QTemporaryDir dir(
        (runtime.isEmpty() ? QDir::tempPath() : QString::fromLocal8Bit(runtime)) +
        "/vantrel-silent-XXXXXX");
    const QByteArray server = silentSoundServer(dir);
    ASSERT_FALSE(server.isEmpty()) << "cannot make a listening socket";
    qputenv("PULSE_SERVER", server);

    QElapsedTimer clock;
    clock.start();
    // The ELT lies on the airport, so the tone is asked for while the game starts.
    auto game = std::make_unique<RealGame>(std::deque<float>{0.5f, 0.5f, 0.2f, 0.2f, 0.5f, 0.5f});
    RealGame& g = *game;
    MainWindow& w = g.main();
    ASSERT_EQ(w.MMctrl->command(), "Open") << "the tone was asked for at start";
    const qint64 started = clock.elapsed();

    QMainWindow* window = g.windowOf(w).window();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(200); // every queued call, the opening of the sound device among them
    const qint64 painted = clock.elapsed();

    // The game answers: a step, the tone asked for twice more on the way, then looped and stopped.
    g.runtime.click(*w.cmdUp);
    g.host.multimediaCommand("Open", w.MMctrl->fileName());
    g.host.multimediaCommand("Open", w.MMctrl->fileName());
    g.host.multimediaLoop(w.MMctrl->fileName(), 0.5f);
    g.host.multimediaLoop(w.MMctrl->fileName(), 0);
    QTest::qWait(100);
    const qint64 answered = clock.elapsed();
    EXPECT_EQ(g.game.search.distanceFlown, 1);
    const QImage frame = window->grab().toImage();
    game.reset();
    const qint64 ended = clock.elapsed() - answered;

    std::printf("started in %lld ms, first frame after %lld ms, steps answered after %lld ms, "
                "ended in %lld ms\n",
                static_cast<long long>(started), static_cast<long long>(painted),
                static_cast<long long>(answered), static_cast<long long>(ended));
    EXPECT_LT(started, kHangBoundMs);
    EXPECT_LT(painted, kHangBoundMs) << "the first frame waited for the sound server";
    EXPECT_LT(answered, kHangBoundMs) << "the game waited for the sound server";
    EXPECT_LT(ended, kHangBoundMs) << "the game's end waited for the sound server";
    EXPECT_FALSE(frame.isNull());
    EXPECT_NE(frame.pixel(frame.width() / 2, frame.height() / 2), qRgb(0, 0, 0))
        << "a painted window";
}

} // namespace
