// The real main window, grabbed to an image: the layout in twips lands on the right pixels.
#include "game/game.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/qt/surface_widget.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QWidget>

namespace {

struct RealGame {
    ui::qt::QtHost host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    Game game{runtime};

    RealGame() {
        host.setRenderer(&renderer);
        game.start();
        renderer.syncNow();
    }

    // The client area below the menu bar, as the user sees it.
    QImage grab() {
        QWidget* client = renderer.windowOf(*game.main.existing())->client();
        QApplication::processEvents();
        return client->grab().toImage();
    }
};

QColor at(const QImage& image, int twipsX, int twipsY) {
    return image.pixelColor(twipsX / 15, twipsY / 15);
}

TEST(MainWindowRender, ClientAreaIsFixedAtDesignSize) {
    RealGame g;
    QWidget* client = g.renderer.windowOf(*g.game.main.existing())->client();
    EXPECT_EQ(client->size(), QSize(512, 426));
}

TEST(MainWindowRender, DesignColoursLandWhereTheTwipsSay) {
    // Each point lies well inside the control it names, away from borders and text.
    RealGame g;
    const QImage image = g.grab();
    image.save("/tmp/vantrel-main-window.png");
    struct Probe {
        const char* what;
        int x, y;
        QColor colour;
    };
    const Probe probes[] = {
        {"window background between the map and the frames", 5910, 3000, QColor(192, 192, 192)},
        {"window background below the buttons", 3000, 6385, QColor(192, 192, 192)},
        {"white map", 60 + 5805 - 300, 30 + 300, QColor(255, 255, 255)},
        {"black compass strip", 5970 + 180 + 60, 30 + 1140 + 450, QColor(0, 0, 0)},
        {"grey DF display", 5970 + 180 + 60, 3180 + 330 + 60, QColor(128, 128, 128)},
        {"dark-grey radial box", 5970 + 750 + 60, 5250 + 270 + 300, QColor(64, 64, 64)},
        {"dark-grey DME box", 5970 + 750 + 60, 5250 + 630 + 300, QColor(64, 64, 64)},
        {"white distance box", 5970 + 240 + 60, 30 + 2730 + 200, QColor(255, 255, 255)},
    };
    for (const auto& p : probes)
        EXPECT_EQ(at(image, p.x, p.y), p.colour) << p.what;
}

} // namespace
