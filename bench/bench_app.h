// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <QApplication>

namespace bench {

// Where the player's remembered settings are read from and kept.
enum class Settings {
    own,       // a folder of the benchmark's own, empty at the start
    inherited, // wherever the environment says: a fresh process given its settings by a benchmark
};

// Qt set up as the game sets it up (the Fusion style), on the offscreen platform unless
// QT_QPA_PLATFORM names another: the benchmarks run on machines without a display. The
// offscreen screen is a large one, so the window fits it at every zoom level. With its own
// settings, a benchmark neither takes up a player's zoom or window position nor leaves its own
// behind. The screen and the settings folder last as long as the process, and the processes it
// starts inherit both.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv,
                                               Settings settings = Settings::own);

} // namespace bench
