// SPDX-License-Identifier: MIT
// vantrel-bench-startup: the time from nothing to the first painted frame of the main window,
// for the game and for a bare main window of the same size, measured in turn in one process, and
// for the game started at the zoom the player chose in an earlier run against 100 %.
//   vantrel-bench-startup [--rounds N] [--fresh N]
// --rounds: in-process rounds of each (default 30); --fresh: fresh processes of each, for the
// first window of a process, which also pays for loading fonts and the style (default 5).
#include "bare_window.h"
#include "bench_app.h"
#include "machine_load.h"
#include "options.h"
#include "paint_watch.h"
#include "real_game.h"
#include "sample_stats.h"
#include "ui/qt/player_settings.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace {

using bench::Clock;

// The game with the ELT heard as well, since hearing it at once also opens the sound device;
// and zoomed, as a player meets it who chose 200 % in an earlier run.
enum Subject { bare, gameQuiet, gameHeard, gameZoomed, subjects };
const std::array<const char*, subjects> names{"bare window", "game, ELT out of range",
                                              "game, ELT heard at once",
                                              "game at 200 %, out of range"};
const std::array<const char*, subjects> keys{"bare", "game-quiet", "game-heard", "game-zoomed"};
constexpr int zoomed = 200;

int zoomOf(Subject subject) {
    return subject == gameZoomed ? zoomed : 100;
}

// Milliseconds from the start to each stage.
struct Startup {
    double made = 0;       // the objects behind the window: for the game, host to renderer
    double loaded = 0;     // the main window and its widgets exist, hidden
    double started = 0;    // show() has returned; for the game, all of start-up
    double firstPaint = 0; // the client area is sent its first paint event
    double frameDone = 0;  // the events that brought it have all been handled
    int zoom = 100;        // the zoom the window was shown at
};

double ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

[[noreturn]] void noPaint(const char* what) {
    std::fprintf(stderr, "vantrel-bench-startup: the %s was never painted\n", what);
    std::exit(1);
}

// Windows are deleted later; deleting them now keeps one round from paying for another.
void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Startup startGame(Subject subject) {
    Startup s;
    const auto began = Clock::now();
    {
        bench::RealGame game(subject == gameHeard ? bench::eltAtTheAirport()
                                                  : bench::eltOutOfRange());
        s.made = ms(began, Clock::now());
        bench::PaintWatch watch(game.loadMainWindow());
        s.loaded = ms(began, Clock::now());
        game.start();
        s.started = ms(began, Clock::now());
        if (!watch.waitForPaint()) noPaint("game");
        s.firstPaint = ms(began, watch.paintedAt());
        s.frameDone = ms(began, Clock::now());
        s.zoom = game.runtime.zoom();
    }
    flushDeletes();
    return s;
}

Startup startBare() {
    Startup s;
    const auto began = Clock::now();
    {
        auto window = bench::makeBareWindow();
        s.made = s.loaded = ms(began, Clock::now());
        bench::PaintWatch watch(bench::bareClient(*window));
        window->show();
        s.started = ms(began, Clock::now());
        if (!watch.waitForPaint()) noPaint("bare window");
        s.firstPaint = ms(began, watch.paintedAt());
        s.frameDone = ms(began, Clock::now());
    }
    flushDeletes();
    return s;
}

Startup start(Subject subject) {
    return subject == bare ? startBare() : startGame(subject);
}

// In this process the settings are kept once read: the zoom is changed through them.
Startup startHere(Subject subject) {
    ui::qt::keepPlayerSetting("view/zoom", zoomOf(subject));
    return start(subject);
}

// The settings a fresh process reads, as a player's earlier run left them: one folder for
// each zoom, to be given as XDG_CONFIG_HOME.
class RememberedZoom {
public:
    RememberedZoom() {
        for (int zoom : {100, zoomed}) {
            const QString settings = folder_.filePath(QString::number(zoom));
            QDir().mkpath(settings + "/Vantrel");
            QFile file(settings + "/Vantrel/Vantrel.conf");
            if (!file.open(QIODevice::WriteOnly) ||
                file.write(QString("[view]\nzoom=%1\n").arg(zoom).toUtf8()) < 0) {
                std::fprintf(stderr, "vantrel-bench-startup: cannot write %s\n",
                             qPrintable(file.fileName()));
                std::exit(1);
            }
        }
    }
    QString folderFor(Subject subject) const {
        return folder_.filePath(QString::number(zoomOf(subject)));
    }

private:
    QTemporaryDir folder_;
};

// One fresh process showing one window; it prints its figures on one line.
Startup startFresh(Subject subject) {
    static const RememberedZoom remembered;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", remembered.folderFor(subject));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), {"--first-window", keys[subject]});
    if (!child.waitForFinished(60000) || child.exitCode() != 0) {
        std::fprintf(stderr, "vantrel-bench-startup: a fresh process failed: %s\n",
                     child.readAllStandardError().constData());
        std::exit(1);
    }
    Startup s;
    const QStringList f = QString::fromUtf8(child.readAllStandardOutput()).split(' ');
    if (f.size() >= 6)
        s = {f[0].toDouble(), f[1].toDouble(), f[2].toDouble(),
             f[3].toDouble(), f[4].toDouble(), f[5].toInt()};
    return s;
}

using Runs = std::array<std::vector<Startup>, subjects>;

// Each round takes the subjects in a different order, so none always follows the same one.
Runs measure(int rounds, Startup (*one)(Subject)) {
    Runs runs;
    for (int round = 0; round < rounds; ++round)
        for (int k = 0; k < subjects; ++k) {
            const auto subject = Subject((round + k) % subjects);
            runs[subject].push_back(one(subject));
        }
    return runs;
}

template <class F>
bench::Summary of(const std::vector<Startup>& runs, F stage) {
    std::vector<double> values;
    values.reserve(runs.size());
    for (const auto& s : runs)
        values.push_back(stage(s));
    return bench::summarize(values);
}

void printTable(const Runs& runs) {
    std::printf("  %-28s %9s %8s %8s   %9s %8s\n", "", "paint:med", "min", "max", "done:med",
                "min");
    for (int k = 0; k < subjects; ++k) {
        const auto paint = of(runs[k], [](const Startup& s) { return s.firstPaint; });
        const auto done = of(runs[k], [](const Startup& s) { return s.frameDone; });
        std::printf("  %-28s %9.2f %8.2f %8.2f   %9.2f %8.2f\n", names[k], paint.median, paint.min,
                    paint.max, done.median, done.min);
    }
}

void printRatios(const Runs& runs, bool withGoal) {
    const auto paint = [](const Startup& s) { return s.firstPaint; };
    const auto done = [](const Startup& s) { return s.frameDone; };
    const auto b = of(runs[bare], paint), bd = of(runs[bare], done);
    for (Subject game : {gameQuiet, gameHeard}) {
        const auto g = of(runs[game], paint), gd = of(runs[game], done);
        const double ratio = g.median / b.median;
        std::printf("  %s / bare: median %.2f, min %.2f; frame done: median %.2f", names[game],
                    ratio, g.min / b.min, gd.median / bd.median);
        if (withGoal) std::printf(" (goal: at most 1.3: %s)", ratio <= 1.3 ? "met" : "MISSED");
        std::printf("\n");
    }
}

// Start-up at the remembered zoom against the same start-up at 100 %.
void printZoomRatio(const Runs& runs) {
    const auto paint = [](const Startup& s) { return s.firstPaint; };
    const auto done = [](const Startup& s) { return s.frameDone; };
    const auto z = of(runs[gameZoomed], paint), zd = of(runs[gameZoomed], done);
    const auto g = of(runs[gameQuiet], paint), gd = of(runs[gameQuiet], done);
    const double ratio = z.median / g.median;
    const auto notZoomed = std::find_if(runs[gameZoomed].begin(), runs[gameZoomed].end(),
                                        [](const Startup& s) { return s.zoom != zoomed; });
    const bool measured = notZoomed == runs[gameZoomed].end();
    std::printf("  %s / %s: median %.2f, min %.2f; frame done: median %.2f (goal: at most 1.3: "
                "%s)\n",
                names[gameZoomed], names[gameQuiet], ratio, z.min / g.min, zd.median / gd.median,
                !measured      ? "not measured"
                : ratio <= 1.3 ? "met"
                               : "MISSED");
    if (!measured)
        std::printf("  a window came up at %d %%: the screen is too small for %d %%\n",
                    notZoomed->zoom, zoomed);
}

void printStages(const Runs& runs) {
    std::printf("  %-28s %8s %8s %8s %8s %8s\n", "medians, ms", "make", "load", "start", "to paint",
                "finish");
    for (int k = 0; k < subjects; ++k) {
        const auto& r = runs[k];
        std::printf("  %-28s %8.3f %8.3f %8.3f %8.3f %8.3f\n", names[k],
                    of(r, [](const Startup& s) { return s.made; }).median,
                    of(r, [](const Startup& s) { return s.loaded - s.made; }).median,
                    of(r, [](const Startup& s) { return s.started - s.loaded; }).median,
                    of(r, [](const Startup& s) { return s.firstPaint - s.started; }).median,
                    of(r, [](const Startup& s) { return s.frameDone - s.firstPaint; }).median);
    }
}

// A fresh process started by this benchmark, which gives it its settings.
bool isFreshProcess(int argc, char** argv) {
    return std::any_of(argv, argv + argc,
                       [](const char* arg) { return std::strcmp(arg, "--first-window") == 0; });
}

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(
        argc, argv,
        "usage: vantrel-bench-startup [--rounds N] [--fresh N]\n"
        "Measures start-up to the first painted frame, N rounds (30) and N fresh processes (5).\n",
        {"--rounds", "--fresh", "--first-window"});
    auto app = bench::startApplication(
        argc, argv, isFreshProcess(argc, argv) ? bench::Settings::inherited : bench::Settings::own);
    const QStringList args = QCoreApplication::arguments();

    if (const QString which = bench::wordOption(args, "--first-window"); !which.isEmpty()) {
        const auto key = std::find(keys.begin(), keys.end(), which);
        if (key == keys.end()) return 2;
        const Startup s = start(Subject(key - keys.begin()));
        std::printf("%.3f %.3f %.3f %.3f %.3f %d\n", s.made, s.loaded, s.started, s.firstPaint,
                    s.frameDone, s.zoom);
        return 0;
    }
    const int rounds = std::max(1, bench::intOption(args, "--rounds", 30));
    const int fresh = std::max(0, bench::intOption(args, "--fresh", 5));

    const Runs freshRuns = measure(fresh, startFresh);
    // The first windows of this process load the fonts and the style for all that follow.
    const Runs warmUp = measure(1, startHere);
    const Runs runs = measure(rounds, startHere);

    std::printf("Start-up to the first painted frame of the main window (ms); load average %s\n",
                bench::loadAverage().c_str());
    std::printf("%d rounds of each in one process, taken in turn, after one warm-up of each:\n",
                rounds);
    printTable(runs);
    printRatios(runs, true);
    printZoomRatio(runs);
    std::printf("Where the time goes:\n");
    printStages(runs);

    std::printf("\nThe first window of a process, which loads the fonts and the style:\n");
    std::printf("  in this process: %s %.2f ms", names[0], warmUp[0][0].firstPaint);
    for (int k = 1; k < subjects; ++k)
        std::printf(", then %s %.2f ms", names[k], warmUp[k][0].firstPaint);
    std::printf("\n");
    if (fresh > 0) {
        std::printf("  %d fresh processes of each:\n", fresh);
        printTable(freshRuns);
        printRatios(freshRuns, false);
        printZoomRatio(freshRuns);
        printStages(freshRuns);
    }
    return 0;
}
