// SPDX-License-Identifier: MIT
#include "bare_window.h"

#include <QMenu>
#include <QMenuBar>

namespace bench {

std::unique_ptr<QMainWindow> makeBareWindow(int zoom) {
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle("Bare");
    auto* client = new QWidget(window.get());
    client->setFixedSize(512 * zoom / 100, 426 * zoom / 100);
    window->setCentralWidget(client);
    QMenu* game = window->menuBar()->addMenu("&Game");
    for (const char* item : {"&New Search", "H&int", "&Reveal"})
        game->addAction(item);
    game->addSeparator();
    game->addAction("&Exit");
    QMenu* help = window->menuBar()->addMenu("&Help");
    for (const char* item : {"&Contents", "&Search Help", "&About"})
        help->addAction(item);
    return window;
}

QWidget* bareClient(QMainWindow& window) {
    return window.centralWidget();
}

} // namespace bench
