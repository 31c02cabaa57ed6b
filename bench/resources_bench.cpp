// SPDX-License-Identifier: MIT
// vantrel-bench-resources: what the game costs the machine beside a bare main window: its peak
// resident memory, and its processor time while it sits idle with its one-second timer ticking.
// Each figure comes from a fresh process of its own, which this program starts.
//   vantrel-bench-resources [--seconds N] [--hold MS]
// --seconds: how long the idle processes are watched (default 30); --hold: how long the memory
// processes keep their window up before reading their peak (default 2000).
#include "bare_window.h"
#include "bench_app.h"
#include "machine_load.h"
#include "options.h"
#include "paint_watch.h"
#include "process_usage.h"
#include "real_game.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using Figures = std::map<QString, double>;

// What a child process shows. The game comes twice, since hearing the ELT at once also opens
// the sound device.
struct Subject {
    const char* key;
    const char* name;
    bool tone;
};
const Subject bare{"bare", "bare window", false};
const Subject gameQuiet{"game-quiet", "game, ELT out of range", false};
const Subject gameHeard{"game-heard", "game, ELT heard at once", true};
const std::array<Subject, 3> subjects{bare, gameQuiet, gameHeard};

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// In the child: shows the subject, lets it settle, then watches it for `measureMs`.
int showAndWatch(const QString& key, int settleMs, int measureMs) {
    std::unique_ptr<QMainWindow> bareWindow;
    std::unique_ptr<bench::RealGame> game;
    QTimer ticker; // the bare window's counterpart of the game's flight timer, doing nothing
    QWidget* client = nullptr;
    if (key == bare.key) {
        bareWindow = bench::makeBareWindow();
        client = bench::bareClient(*bareWindow);
        ticker.setInterval(1000);
        QObject::connect(&ticker, &QTimer::timeout, [] {});
    } else {
        game = std::make_unique<bench::RealGame>(key == gameHeard.key ? bench::eltAtTheAirport()
                                                                      : bench::eltOutOfRange());
        client = game->loadMainWindow();
    }
    bench::PaintWatch watch(client);
    if (game) {
        game->start();
    } else {
        bareWindow->show();
        ticker.start();
    }
    if (!watch.waitForPaint()) return 1;
    runEventsFor(settleMs);

    const auto before = bench::processUsage();
    const auto began = Clock::now();
    if (measureMs > 0) runEventsFor(measureMs);
    const auto after = bench::processUsage();
    const double wall = std::chrono::duration<double>(Clock::now() - began).count();
    std::printf("peak_kb=%ld rss_kb=%ld cpu_s=%.6f wall_s=%.6f wakeups=%ld heard=%d\n",
                after.peakResidentKb, after.residentKb, after.cpuSeconds - before.cpuSeconds, wall,
                after.wakeups - before.wakeups, game ? int(game->game.signalHeard) : 0);
    return 0;
}

QProcess* startChild(const Subject& subject, int settleMs, int measureMs) {
    auto* child = new QProcess;
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(QCoreApplication::applicationFilePath(),
                 {"--child", subject.key, "--settle", QString::number(settleMs), "--measure",
                  QString::number(measureMs)});
    return child;
}

Figures finish(const Subject& subject, QProcess* child, int timeoutMs) {
    Figures figures;
    const std::unique_ptr<QProcess> owned(child);
    if (!child->waitForFinished(timeoutMs) || child->exitCode() != 0) {
        std::fprintf(stderr, "vantrel-bench-resources: a child process failed\n");
        std::exit(1);
    }
    for (const QString& pair : QString::fromUtf8(child->readAllStandardOutput()).split(' ')) {
        const auto parts = pair.trimmed().split('=');
        if (parts.size() == 2) figures[parts[0]] = parts[1].toDouble();
    }
    if (figures["heard"] != (subject.tone ? 1 : 0))
        std::printf("  (the %s did not lay its search out as meant)\n", subject.name);
    return figures;
}

double mb(const Figures& f) {
    return f.at("peak_kb") / 1024;
}

void measureMemory(int holdMs) {
    std::printf("Peak resident memory (VmHWM), window shown and events run for %d ms:\n", holdMs);
    const Figures b = finish(bare, startChild(bare, holdMs, 0), 60000);
    std::printf("  %-26s %8.1f MB\n", bare.name, mb(b));
    for (const Subject& game : {gameQuiet, gameHeard}) {
        const Figures g = finish(game, startChild(game, holdMs, 0), 60000);
        const double more = mb(g) - mb(b);
        std::printf("  %-26s %8.1f MB  (%+.1f MB; goal: at most +15 MB: %s)\n", game.name, mb(g),
                    more, more <= 15 ? "met" : "MISSED");
    }
}

void measureIdle(int seconds) {
    std::printf("\nProcessor time while idle for %d s, after start-up (all three at once):\n",
                seconds);
    std::printf("  load average at the start: %s\n", bench::loadAverage().c_str());
    const int settleMs = 1000, measureMs = seconds * 1000;
    std::vector<QProcess*> children;
    children.reserve(std::size(subjects));
    for (const Subject& subject : subjects)
        children.push_back(startChild(subject, settleMs, measureMs));
    std::printf("  %-26s %10s %10s %12s\n", "", "cpu ms", "% of core", "wakeups/s");
    for (std::size_t k = 0; k < subjects.size(); ++k) {
        const Subject& subject = subjects[k];
        const Figures f = finish(subject, children[k], measureMs + 120000);
        const double share = 100 * f.at("cpu_s") / f.at("wall_s");
        std::printf("  %-26s %10.1f %10.3f %12.1f", subject.name, 1000 * f.at("cpu_s"), share,
                    f.at("wakeups") / f.at("wall_s"));
        if (subject.key != bare.key)
            std::printf("  (goal: under 0.5 %%: %s)", share < 0.5 ? "met" : "MISSED");
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(
        argc, argv,
        "usage: vantrel-bench-resources [--hold MS] [--seconds N]\n"
        "Measures the memory of the game's windows and the processor time of an idle game.\n",
        {"--hold", "--seconds", "--child", "--settle", "--measure"});
    auto app = bench::startApplication(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (const QString key = bench::wordOption(args, "--child"); !key.isEmpty())
        return showAndWatch(key, bench::intOption(args, "--settle", 1000),
                            bench::intOption(args, "--measure", 0));

    measureMemory(std::max(0, bench::intOption(args, "--hold", 2000)));
    std::fflush(stdout);
    measureIdle(std::max(1, bench::intOption(args, "--seconds", 30)));
    return 0;
}
