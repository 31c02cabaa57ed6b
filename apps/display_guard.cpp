// SPDX-License-Identifier: MIT
#include "display_guard.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QtGlobal>

namespace startup {

namespace {

QtMessageHandler qtDefault = nullptr;
const char* lineToSay = "";

void whileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(lineToSay, stderr);
        std::_Exit(1);
    }
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
    qtDefault(type, context, message);
}

} // namespace

DisplayGuard::DisplayGuard(const char* noDisplayLine) {
    lineToSay = noDisplayLine;
    qtDefault = qInstallMessageHandler(whileStarting);
}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(qtDefault);
}

} // namespace startup
