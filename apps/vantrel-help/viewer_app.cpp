// SPDX-License-Identifier: MIT
#include "viewer_app.h"

#include "game_registry.h"
#include "help_channel/help_channel.h"
#include "help_channel/help_exchange.h"
#include "help_channel/help_lock.h"
#include "help_viewer.h"
#include "viewer_server.h"

#include <cstdio>
#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

namespace vantrel_help {

namespace help = ui::qt::help;

namespace {

// How long a viewer started beside a live one tries to hand it the command: the live one may
// itself be starting on a loaded machine.
constexpr int kHandOverMs = 10000;
constexpr int kHandOverPollMs = 100;

enum class HandOver { Delivered, TookLock, Failed };

// Another viewer holds the lock: give it the command, or take its place if it ends meanwhile.
HandOver handOver(const help::Channel& channel, help::HelpLock& lock,
                  const help::Request& request) {
    const QDeadlineTimer deadline(kHandOverMs);
    while (!deadline.hasExpired()) {
        if (help::exchange(channel.socketPath, help::commandRequest(request)))
            return HandOver::Delivered;
        if (lock.tryLock()) return HandOver::TookLock;
        QThread::msleep(kHandOverPollMs);
    }
    return HandOver::Failed;
}

void carryOut(HelpViewer& viewer, GameRegistry& games, ViewerServer& server,
              const help::Request& request) {
    if (request.zoomOnly) {
        viewer.setZoom(request.zoom);
        return;
    }
    if (request.command == help::kClose) {
        if (!games.release(request.game)) return; // another game still uses the viewer
        server.close();
        viewer.window().close();
        QCoreApplication::quit();
        return;
    }
    games.add(request.game);
    viewer.setGameWindow(request.beside);
    viewer.setZoom(request.zoom);
    if (request.command == help::kContents) viewer.showContents();
    if (request.command == help::kTopic) viewer.showTopic(request.data);
}

} // namespace

int runViewer(const QString& helpFile, const help::Request& request) {
    const QString file = help::absoluteHelpFile(helpFile);
    QString problem;
    const auto channel = help::channelFor(file, &problem);
    if (!channel) {
        std::fprintf(stderr, "vantrel-help: no private folder for the help socket: %s\n",
                     qPrintable(problem));
        return 1;
    }

    // Held for the viewer's whole life: no second viewer of the file starts in this session.
    help::HelpLock lock(channel->lockPath);
    if (!lock.tryLock()) {
        const HandOver handed = handOver(*channel, lock, request);
        if (handed == HandOver::Delivered) return 0;
        if (handed == HandOver::Failed) {
            std::fprintf(stderr,
                         "vantrel-help: the help viewer already open for %s does not "
                         "answer\n",
                         qPrintable(file));
            return 1;
        }
    }
    if (request.command == help::kClose) return 0; // no viewer to close

    QObject context;
    HelpViewer viewer(file);
    GameRegistry games;
    ViewerServer server(channel->socketPath, &context,
                        [&](const help::Request& r) { carryOut(viewer, games, server, r); });
    if (!server.listen()) {
        // A window the game could never reach nor close is worse than none.
        std::fprintf(stderr, "vantrel-help: cannot listen on %s: %s\n",
                     qPrintable(channel->socketPath), qPrintable(server.errorString()));
        return 1;
    }
    // Answering comes first: the file is read once the event loop runs.
    QTimer::singleShot(0, &context, [&] { carryOut(viewer, games, server, request); });
    const int status = QApplication::exec();
    server.close();
    return status;
}

} // namespace vantrel_help
