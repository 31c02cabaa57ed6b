// SPDX-License-Identifier: MIT
#include "help_client.h"

#include "help_channel/help_channel.h"
#include "help_channel/help_exchange.h"
#include "help_channel/help_lock.h"
#include "help_channel/help_protocol.h"
#include "help_channel/process_handle.h"

#include <cstdio>
#include <memory>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <utility>

namespace ui::qt {

namespace {

constexpr int kLaunchWatchMs = 10000; // a viewer start on a loaded machine
constexpr int kLaunchPollMs = 100;

} // namespace

HelpClient::HelpClient(QString viewerProgram, TroubleHandler onTrouble)
    : viewerProgram_(std::move(viewerProgram)), onTrouble_(std::move(onTrouble)) {}

std::int32_t HelpClient::call(const QString& helpFile, std::int32_t command, std::int32_t data,
                              std::optional<QRect> beside, int zoom) {
    if (!help::isKnownCommand(command)) return 0;
    const QString file = help::absoluteHelpFile(helpFile);
    QString problem;
    const auto channel = help::channelFor(file, &problem);
    if (!channel) {
        report(QStringLiteral("Help cannot be shown: there is no private folder for the help "
                              "viewer's socket (%1).")
                   .arg(problem));
        return 0;
    }
    const QByteArray request = help::commandRequest(
        {false, command, data, QCoreApplication::applicationPid(), beside, zoom});
    if (help::exchange(channel->socketPath, request)) return 1;
    // Closing a viewer that is not there must not open one.
    if (command == help::kClose) return 0;
    if (help::HelpLock::isHeld(channel->lockPath)) {
        std::fputs("vantrel: the help viewer does not answer; it is busy or stopped\n", stderr);
        return 0;
    }
    return start(file, request, channel->lockPath) ? 1 : 0;
}

void HelpClient::tellZoom(const QString& helpFile, int zoom) {
    if (const auto channel = help::channelFor(help::absoluteHelpFile(helpFile)))
        help::exchange(channel->socketPath,
                       help::zoomRequest(zoom, QCoreApplication::applicationPid()));
}

bool HelpClient::start(const QString& helpFile, const QByteArray& request,
                       const QString& lockPath) {
    const QFileInfo program(viewerProgram_);
    if (!program.exists()) {
        report(QStringLiteral("Help cannot be shown: the help viewer %1 is missing.")
                   .arg(viewerProgram_));
        return false;
    }
    if (!program.isFile() || !program.isExecutable()) {
        report(QStringLiteral("Help cannot be shown: the help viewer %1 is not a program that "
                              "can be run.")
                   .arg(viewerProgram_));
        return false;
    }
    // Detached, so that the viewer stays open when the game exits. When another viewer for
    // the file has just come up, the new one hands it the command and ends.
    QStringList arguments{helpFile};
    for (const QByteArray& part : request.trimmed().split(' '))
        arguments << QString::fromLatin1(part);
    qint64 pid = 0;
    if (!QProcess::startDetached(viewerProgram_, arguments, {}, &pid)) {
        report(QStringLiteral("Help cannot be shown: the help viewer %1 could not be started.")
                   .arg(viewerProgram_));
        return false;
    }
    watchLaunch(pid, lockPath);
    return true;
}

void HelpClient::watchLaunch(qint64 pid, const QString& lockPath) {
    auto* timer = new QTimer(&watches_);
    auto viewer = std::make_shared<ProcessHandle>(pid);
    const QDeadlineTimer deadline(kLaunchWatchMs);
    QObject::connect(timer, &QTimer::timeout, timer, [=, this] {
        // Holding the lock, it has come up; or it handed its command to one that had. Ended
        // is asked first, so that a viewer locking just then is not taken for a failure.
        const bool ended = viewer->hasEnded();
        const bool up = help::HelpLock::isHeld(lockPath);
        if (up || ended || deadline.hasExpired()) timer->deleteLater();
        if (up || !ended) return;
        report(QStringLiteral("Help cannot be shown: the help viewer %1 stopped before it "
                              "opened the help (see its message on standard error).")
                   .arg(viewerProgram_));
    });
    timer->start(kLaunchPollMs);
}

void HelpClient::report(const QString& message) {
    std::fprintf(stderr, "vantrel: %s\n", qPrintable(message));
    if (toldOnScreen_ || !onTrouble_) return;
    toldOnScreen_ = true;
    onTrouble_(message);
}

} // namespace ui::qt
