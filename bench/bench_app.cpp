// SPDX-License-Identifier: MIT
#include "bench_app.h"

#include <cstdio>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace bench {

namespace {

// Large enough for the main window at 300 %, menu bar and frame included.
constexpr char largeScreen[] =
    R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 2560, "height": 1600,)"
    R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";

// Removed when the process ends, after every process it started has ended.
QTemporaryDir& ownFolder() {
    static QTemporaryDir folder;
    return folder;
}

bool writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

void useOwnSurroundings(Settings settings) {
    QTemporaryDir& folder = ownFolder();
    if (!folder.isValid()) {
        std::fprintf(stderr,
                     "benchmark: no temporary folder (%s); using the player's settings "
                     "and the platform's screen\n",
                     qPrintable(folder.errorString()));
        return;
    }
    if (settings == Settings::own) {
        const QString home = folder.filePath("settings");
        QDir().mkpath(home);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    }
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;
    const QString screen = folder.filePath("screen.json");
    if (writeFile(screen, largeScreen))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screen));
    else
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

std::unique_ptr<QApplication> startApplication(int& argc, char** argv, Settings settings) {
    useOwnSurroundings(settings);
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName("Vantrel");
    QApplication::setStyle("Fusion");
    return app;
}

} // namespace bench
