// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <QApplication>

namespace bench {

// Qt set up as the game sets it up (the Fusion style), on the offscreen platform unless
// QT_QPA_PLATFORM names another: the benchmarks run on machines without a display.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv);

} // namespace bench
