#include "viewer_app.h"

#include "help_viewer.h"
#include "ui/qt/help_protocol.h"
#include "viewer_server.h"

#include <cstdio>
#include <QApplication>
#include <QDir>
#include <QLockFile>

namespace vantrel_help {

namespace help = ui::qt::help;

namespace {

constexpr int kStartupLockMs = 5000;

void carryOut(HelpViewer& viewer, std::int32_t command, std::int32_t data) {
    if (command == help::kContents) viewer.showContents();
    if (command == help::kTopic) viewer.showTopic(data);
    if (command == help::kClose) {
        viewer.window().close();
        QCoreApplication::quit();
    }
}

} // namespace

int runViewer(const QString& helpFile, std::int32_t command, std::int32_t data) {
    const QString file = help::absoluteHelpFile(helpFile);
    const QString name = help::socketName(file);

    // Two viewers started at once for one file would both take the socket: the second waits
    // here until the first listens, then hands its command over.
    QLockFile startup(QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock")));
    if (!startup.tryLock(kStartupLockMs)) {
        // Without the lock the worst that can happen is a second window.
    }

    if (help::exchange(name, help::commandRequest(command, data))) return 0;
    if (command == help::kClose) return 0;

    HelpViewer viewer(file);
    ViewerServer server(name,
                        [&viewer](std::int32_t c, std::int32_t d) { carryOut(viewer, c, d); });
    if (!server.listen()) {
        // The help asked for still shows; only later calls cannot reach this window.
        std::fprintf(stderr, "vantrel-help: cannot listen on %s: %s\n", qPrintable(name),
                     qPrintable(server.errorString()));
    }
    startup.unlock();

    carryOut(viewer, command, data);
    return QApplication::exec();
}

} // namespace vantrel_help
