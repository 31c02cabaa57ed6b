// SPDX-License-Identifier: MIT
// vantrel-receiver-drive: plays the real game on the real sound device with the receiver on
// Continuous, stopping and starting the tone every way a player can, for a test that records
// what the sound server plays. Each stop and start is written to standard output as
// "stop|start SECONDS WAY", SECONDS on the monotonic clock. At "hold" it waits for a line on
// standard input (the sound server is restarted meanwhile) and goes on.
#include "support/real_game.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <functional>
#include <iostream>
#include <QApplication>
#include <QElapsedTimer>
#include <string>

namespace {

struct Host : RealGame::Host {
    // The results box is read by nobody here: the game goes on as after OK.
    int messageBox(const std::string&, int, const std::string&) override { return 1; }
};

// The ELT on the airport, where a new search puts the aircraft: the tone at full.
const std::deque<float> kInRange{0.5f, 0.5f, 0.2f, 0.2f, 0.5f, 0.5f};
const std::deque<float> kOutOfRange{0, 0, 0, 0, 0.99f, 0.99f};

void say(const char* what, const char* way) {
    const double now =
        std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    std::printf("%s %.4f %s\n", what, now, way);
    std::fflush(stdout);
}

void wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

// Rounds of each way. A stop is followed by the short quiet, or every other round by a quiet
// long enough for the device to rest; a start sounds until the next stop.
constexpr int kRounds = 13, kQuietMs = 400, kLongQuietMs = 1000, kSoundingMs = 450;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Host host;
    host.randoms = kOutOfRange;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    host.setRenderer(&renderer);
    Game game{runtime};
    game.start();
    renderer.syncNow();
    MainWindow& w = *game.main.existing();
    SearchState& s = game.search;
    runtime.menu(*w.findMenuItem("mnuAudioContinuous"));
    wait(300);

    auto newSearch = [&](const std::deque<float>& randoms) {
        host.randoms = randoms;
        runtime.click(*w.cmdStart);
    };
    // One step north, ending `unitsAway` map units south of the ELT: 100 is out of range and
    // still on the map, where the game leaves the aircraft alone.
    auto flyTo = [&](int unitsAway) {
        s.aircraftX = s.eltX;
        s.aircraftY = static_cast<std::int16_t>(s.eltY + unitsAway + s.speedStep);
        runtime.click(*w.cmdUp);
    };

    say("start", "first");
    newSearch(kInRange);
    wait(7000); // long enough for the loop to turn round twice

    struct Way {
        const char* name;
        std::function<void()> stop, start;
    };
    const Way ways[] = {
        {"menu", [&] { runtime.menu(*w.findMenuItem("mnuAudioOff")); },
         [&] { runtime.menu(*w.findMenuItem("mnuAudioContinuous")); }},
        {"search", [&] { newSearch(kOutOfRange); }, [&] { newSearch(kInRange); }},
        {"fly", [&] { flyTo(100); }, [&] { flyTo(0); }},
        {"reveal", [&] { runtime.menu(*w.findMenuItem("mnuReveal")); }, [&] { flyTo(0); }},
    };
    auto round = [&](const Way& way, int quiet) {
        say("stop", way.name);
        way.stop();
        wait(quiet);
        say("start", way.name);
        way.start();
        wait(kSoundingMs);
    };
    for (int n = 0; n < kRounds; ++n)
        for (const Way& way : ways)
            round(way, n % 2 ? kLongQuietMs : kQuietMs);

    // Classic plays the whole tone once at a new reception, on a sound device of its own.
    const Way classic{"classic",
                      [&] {
                          runtime.menu(*w.findMenuItem("mnuAudioClassic"));
                          flyTo(100);
                      },
                      [&] { flyTo(0); }};
    auto classicOnce = [&] {
        round(classic, kQuietMs);
        wait(3000);
    };
    classicOnce();
    say("start", "menu");
    runtime.menu(*w.findMenuItem("mnuAudioContinuous"));
    wait(kSoundingMs);

    // The sound server goes away and comes back while the tone plays.
    std::printf("hold\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    for (int n = 0; n < 3; ++n)
        round(ways[0], n % 2 ? kLongQuietMs : kQuietMs);
    classicOnce();
    say("stop", "exit");
    runtime.click(*w.cmdExit);
    wait(100);
    return 0;
}
