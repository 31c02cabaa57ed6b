// SPDX-License-Identifier: MIT
// How long one Help press can hold the game, whatever state the help viewer is in, and how much
// memory the viewer takes with the largest help file it shows. Each figure stands beside the
// baseline of the same run: a press that an idle viewer answers.
//   vantrel-bench-help-press [PRESSES]
#include "help_channel/help_channel.h"
#include "help_channel/help_exchange.h"
#include "help_channel/help_protocol.h"
#include "options.h"
#include "ui/qt/help_client.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <functional>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

namespace help = ui::qt::help;

constexpr qint64 kLargestHelpFile = 16 * 1024 * 1024; // as the viewer allows

// The viewer's process id once it answers, or 0 when none answers within ten seconds.
qint64 waitForViewer(const QString& file) {
    const auto channel = help::channelFor(file);
    if (!channel) return 0;
    for (int i = 0; i < 200; ++i) {
        if (const auto pid = help::exchange(channel->socketPath, help::statusRequest()))
            return *pid;
        QThread::msleep(50);
    }
    return 0;
}

long peakResidentKb(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toLong();
    return -1;
}

// The longest of `presses` Help presses, in milliseconds.
double worstPress(ui::qt::HelpClient& client, const QString& file, int presses) {
    double worst = 0;
    for (int i = 0; i < presses; ++i) {
        QElapsedTimer timer;
        timer.start();
        client.call(file, help::kTopic, 70);
        worst = std::max(worst, timer.nsecsElapsed() / 1e6);
    }
    return worst;
}

void writeHelpFile(const QString& file, qint64 size) {
    QFile out(file);
    out.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray html = "<html><body><h1>Contents</h1><a name=\"70\"></a>";
    const QByteArray paragraph = "<p>Fly the search pattern and watch the needle swing.</p>\n";
    while (html.size() + paragraph.size() + 15 < size)
        html += paragraph;
    out.write(html + "</body></html>");
}

} // namespace

int main(int argc, char** argv) {
    bench::checkOptions(argc, argv,
                        "usage: vantrel-bench-help-press [PRESSES]\n"
                        "Measures how long a help press waits, worst of PRESSES (20), on a slow or "
                        "stopped viewer.\n",
                        {}, 1);
    QCoreApplication app(argc, argv);
    const int presses = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const QString viewer = QCoreApplication::applicationDirPath() + "/vantrel-help";
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QTemporaryDir dir;
    const QString file = dir.filePath("qr64.HLP");
    ui::qt::HelpClient client(viewer);

    writeHelpFile(file, 4096);
    client.call(file, help::kContents, 0);
    qint64 pid = waitForViewer(file);
    if (pid <= 0) {
        std::fputs("no help viewer answered; nothing to measure\n", stderr);
        return 1;
    }
    const double idle = worstPress(client, file, presses);
    std::printf("Help press, worst of %d, milliseconds\n", presses);
    std::printf("  idle viewer (baseline)            %8.2f\n", idle);

    ::kill(pid_t(pid), SIGSTOP);
    std::printf("  stopped viewer                    %8.2f\n", worstPress(client, file, 3));
    ::kill(pid_t(pid), SIGKILL);
    QThread::msleep(200);

    // The largest help file: the viewer answers while it is still reading and laying it out.
    writeHelpFile(file, kLargestHelpFile);
    client.call(file, help::kContents, 0);
    pid = waitForViewer(file);
    if (pid <= 0) return 1;
    std::printf("  viewer loading the largest file   %8.2f\n", worstPress(client, file, presses));
    QThread::msleep(3000);
    std::printf("  viewer showing it                 %8.2f\n", worstPress(client, file, presses));
    std::printf("Viewer memory, peak resident, MB\n");
    std::printf("  with a %lld MB help file          %8.1f\n",
                static_cast<long long>(kLargestHelpFile >> 20), peakResidentKb(pid) / 1024.0);
    client.call(file, help::kClose, 0);

    // A silent listener at the socket's name: only we can put one in our private folder.
    const auto channel = help::channelFor(file);
    if (!channel) return 1;
    const QString socketPath = channel->socketPath;
    const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QThread::msleep(300);
    QFile::remove(socketPath);
    std::snprintf(address.sun_path, sizeof(address.sun_path), "%s", qPrintable(socketPath));
    ::bind(silent, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    ::listen(silent, 64);
    std::printf("Help press, silent listener         %8.2f ms\n", worstPress(client, file, 3));
    ::close(silent);
    // The first press started a viewer of its own, which takes the name over.
    waitForViewer(file);
    client.call(file, help::kClose, 0);
    return 0;
}
