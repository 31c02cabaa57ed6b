#include "help_client.h"

#include "help_protocol.h"

#include <cstdio>
#include <QFileInfo>
#include <QProcess>
#include <utility>

namespace ui::qt {

HelpClient::HelpClient(QString viewerProgram) : viewerProgram_(std::move(viewerProgram)) {}

std::int32_t HelpClient::call(const QString& helpFile, std::int32_t command, std::int32_t data) {
    if (command != help::kContents && command != help::kTopic && command != help::kClose) return 0;
    const QString file = help::absoluteHelpFile(helpFile);
    if (help::exchange(help::socketName(file), help::commandRequest(command, data))) return 1;
    // Closing a viewer that is not there must not open one.
    if (command == help::kClose) return 0;
    return start(file, command, data) ? 1 : 0;
}

bool HelpClient::start(const QString& helpFile, std::int32_t command, std::int32_t data) {
    const QFileInfo program(viewerProgram_);
    if (!program.isFile() || !program.isExecutable()) {
        std::fprintf(stderr, "vantrel: help viewer not found: %s\n", qPrintable(viewerProgram_));
        return false;
    }
    // Detached, so that the viewer stays open when the game exits. When another viewer for
    // the file has just come up, the new one hands it the command and ends.
    const QStringList arguments{helpFile, QString::number(command), QString::number(data)};
    if (!QProcess::startDetached(viewerProgram_, arguments)) {
        std::fprintf(stderr, "vantrel: cannot start the help viewer %s\n",
                     qPrintable(viewerProgram_));
        return false;
    }
    return true;
}

} // namespace ui::qt
