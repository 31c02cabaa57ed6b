// vantrel-help: the game's help viewer, one process per help file.
// Usage: vantrel-help HELPFILE COMMAND DATA (command 3 contents, 1 topic DATA, 2 close).
#include "viewer_app.h"
#include "viewer_usage.h"

#include <cstdio>
#include <QApplication>

int main(int argc, char** argv) {
    if (const auto status = command_line::answer(vantrel_help::kViewerProgram, argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("vantrel-help");

    const QStringList args = QApplication::arguments();
    bool commandOk = false;
    bool dataOk = false;
    const int command = args.size() == 4 ? args[2].toInt(&commandOk) : 0;
    const int data = args.size() == 4 ? args[3].toInt(&dataOk) : 0;
    if (!commandOk || !dataOk || command < 1 || command > 3) {
        std::fputs("usage: vantrel-help HELPFILE COMMAND DATA\n"
                   "  COMMAND 3: contents, 1: topic DATA, 2: close\n",
                   stderr);
        return 2;
    }
    return vantrel_help::runViewer(args[1], command, data);
}
