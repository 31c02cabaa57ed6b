// SPDX-License-Identifier: MIT
#pragma once

#include "game/game.h"
#include "ui/qt/form_window.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/qt/surface_widget.h"

#include <deque>
#include <optional>
#include <QApplication>
#include <QImage>
#include <QString>

// The real game on the Qt host, in this process: real widgets, a real help viewer and sound
// device, with the random numbers of the first searches dictated when a test gives them.
struct RealGame {
    struct Host : ui::qt::QtHost {
        using QtHost::QtHost;
        std::deque<float> randoms;
        // A screen this many times the window's size, when a test gives one.
        std::optional<double> largestZoomAllowed;
        double largestZoom(const ui::Form& form) override {
            return largestZoomAllowed ? *largestZoomAllowed : QtHost::largestZoom(form);
        }
        std::optional<float> scriptedRandom() override {
            if (randoms.empty()) return std::nullopt;
            const float r = randoms.front();
            randoms.pop_front();
            return r;
        }
    };

    // `programFolder` stands for the folder of the executable when given.
    explicit RealGame(std::deque<float> randoms = {}, const QString& programFolder = {})
        : RealGame(Unstarted{}, std::move(randoms), programFolder) {
        game.start();
        renderer.syncNow();
    }
    RealGame(const RealGame&) = delete;
    RealGame& operator=(const RealGame&) = delete;

    MainWindow& main() { return *game.main.existing(); }
    ui::qt::FormWindow& windowOf(const ui::Form& form) { return *renderer.windowOf(form); }
    // A fresh paint of the main window's client area, below the menu bar, as it now stands.
    QImage grabClient() {
        QApplication::processEvents();
        renderer.syncNow();
        return windowOf(main()).client()->grab().toImage();
    }

    // In the program's order, so that they go in its order too: the game, the renderer, the
    // runtime, the host. The windows are deleted later, with the deferred deletes.
    Host host;
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    Game game{runtime};

protected:
    // Put together but not started, for a caller that starts it in steps of its own.
    struct Unstarted {};
    RealGame(Unstarted, std::deque<float> randoms, const QString& programFolder = {})
        : host(programFolder) {
        host.randoms = std::move(randoms);
        host.setRenderer(&renderer);
    }
};
