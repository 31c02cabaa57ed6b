// Vantrel: a search-and-rescue trainer. Find the hidden ELT with a direction finder.
#include "game/game.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/runtime.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QApplication>

namespace {

QtMessageHandler qtDefault = nullptr;

// While Qt looks for a display: a failure to find one ends the program with one clear line
// (not an abort and a core dump), and the platform plugin's own lines before it are left out.
void whileStarting(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs("vantrel: there is no graphical session to show the game in. Start it from a "
                   "desktop, or without one under a virtual display: xvfb-run vantrel\n",
                   stderr);
        std::_Exit(1);
    }
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) return;
    qtDefault(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    qtDefault = qInstallMessageHandler(whileStarting);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtDefault);
    QApplication::setApplicationName("Vantrel");
    QGuiApplication::setDesktopFileName("org.vantrel.Vantrel"); // ties the window to its launcher
    QApplication::setStyle("Fusion");

    ui::qt::QtHost host;
    ui::Runtime runtime(host);
    ui::qt::Renderer renderer(runtime);
    host.setRenderer(&renderer);

    Game game(runtime);
    game.start();
    return app.exec();
}
