// SPDX-License-Identifier: MIT
#include "display_guard.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QtGlobal>

namespace vantrel_help {

namespace {

QtMessageHandler qtDefault = nullptr;

void whileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("vantrel-help: there is no graphical session to show the help in. Start the "
                   "game from a desktop, or under a virtual display: xvfb-run vantrel\n",
                   stderr);
        std::_Exit(1);
    }
    // The platform plugin's own lines before it say the same less clearly.
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
    qtDefault(type, context, message);
}

} // namespace

DisplayGuard::DisplayGuard() {
    qtDefault = qInstallMessageHandler(whileStarting);
}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(qtDefault);
}

} // namespace vantrel_help
