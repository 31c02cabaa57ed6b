// SPDX-License-Identifier: MIT
#include "bench_app.h"

namespace bench {

std::unique_ptr<QApplication> startApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName("Vantrel");
    QApplication::setStyle("Fusion");
    return app;
}

} // namespace bench
