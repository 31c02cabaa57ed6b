// Vantrel: a search-and-rescue trainer. Finds the hidden ELT with a direction finder.
#include "game/game.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/runtime.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vantrel");
    QApplication::setStyle("Fusion");

    ui::qt::QtHost host;
    ui::Runtime runtime(host);
    ui::qt::Renderer renderer(runtime);
    host.setRenderer(&renderer);

    Game game(runtime);
    game.start();
    return app.exec();
}
