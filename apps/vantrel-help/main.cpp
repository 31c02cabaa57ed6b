// SPDX-License-Identifier: MIT
// vantrel-help: the game's help viewer, one process per help file and graphical session.
// Usage: vantrel-help HELPFILE COMMAND DATA [GAME [X Y WIDTH HEIGHT [ZOOM]]]
// (command 3 contents, 1 topic DATA, 2 close; GAME the asking game's process id, then its
// window on screen and its zoom in percent).
#include "display_guard.h"
#include "viewer_app.h"
#include "viewer_usage.h"

#include <cstdio>
#include <memory>
#include <QApplication>

int main(int argc, char** argv) {
    if (const auto status = command_line::answer(vantrel_help::kViewerProgram, argc, argv)) {
        return *status;
    }
    std::unique_ptr<QApplication> app;
    {
        const startup::DisplayGuard guard(
            "vantrel-help: there is no graphical session to show the help in. Start the game "
            "from a desktop, or under a virtual display: xvfb-run vantrel\n");
        app = std::make_unique<QApplication>(argc, argv);
    }
    QApplication::setApplicationName("vantrel-help");

    const QStringList args = QApplication::arguments();
    const auto request = args.size() >= 4
                             ? ui::qt::help::parseRequest(args.mid(2).join(' ').toLatin1())
                             : std::nullopt;
    if (!request || request->status || request->zoomOnly) {
        std::fputs(vantrel_help::kViewerProgram.usage.data(), stderr);
        return 2;
    }
    return vantrel_help::runViewer(args[1], *request);
}
