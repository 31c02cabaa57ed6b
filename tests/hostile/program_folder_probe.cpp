// SPDX-License-Identifier: MIT
// The real game on the Qt host, started from wherever this program lies. Prints where it looks
// for its files, as the platform's bytes, whether the tone there is one it plays, and what it
// tells the player about help; then ends.
#include "game/game.h"
#include "instruments/elt_tone.h"
#include "sound/wave_file.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/runtime.h"

#include <cstdio>
#include <cstdlib>
#include <QApplication>
#include <QElapsedTimer>

namespace {

// Message boxes are printed instead of waiting for a player.
struct PrintingHost : ui::qt::QtHost {
    int messageBox(const std::string& prompt, int, const std::string&) override {
        std::printf("message box: %s\n", prompt.c_str());
        return ui::msgbox::ok;
    }
};

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    PrintingHost host;
    ui::Runtime runtime(host);
    ui::qt::Renderer renderer(runtime);
    host.setRenderer(&renderer);
    Game game(runtime);
    game.start();

    startEltTone(*game.main->MMctrl, eltToneFile(game.runtime.appPath()));
    const std::string tone = game.main->MMctrl->fileName();
    ui::WaveRefusal refusal;
    const bool playable = ui::readWaveFile(tone, refusal).has_value();
    std::printf("folder=%s\nhelp file=%s\ntone=%s\ntone playable=%s\n", host.appPath().c_str(),
                runtime.helpFile.c_str(), tone.c_str(), playable ? "yes" : refusal.reason.c_str());
    std::fflush(stdout);
    runtime.click(*game.main->cmdHelp);
    runtime.click(*game.main->cmdHelp); // said once a run
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 300) // the sound thread has its say
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return 0;
}
