// SPDX-License-Identifier: MIT
// Vantrel: a search-and-rescue trainer. Find the hidden ELT with a direction finder.
#include "command_line.h"
#include "display_guard.h"
#include "game/game.h"
#include "squadron/keyring.h"
#include "squadron/membership.h"
#include "storage/background_writer.h"
#include "storage/logbook_location.h"
#include "storage/sqlite_store.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"
#include "ui/runtime.h"

#include <memory>
#include <QApplication>

namespace {

constexpr command_line::Program kGame{
    "vantrel",
    "usage: vantrel [--help | --version]\n"
    "Vantrel trains search-and-rescue pilots: fly the aircraft, find the hidden emergency\n"
    "locator transmitter with the direction finder, and reveal it for a score.\n"
    "\n"
    "  -h, --help  show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "The game needs a graphical session. Without one, run it under a virtual display:\n"
    "xvfb-run vantrel\n",
    0};

} // namespace

int main(int argc, char** argv) {
    if (const auto status = command_line::answer(kGame, argc, argv)) return *status;
    std::unique_ptr<QApplication> app;
    {
        const startup::DisplayGuard guard(
            "vantrel: there is no graphical session to show the game in. Start it from a "
            "desktop, or without one under a virtual display: xvfb-run vantrel\n");
        app = std::make_unique<QApplication>(argc, argv);
    }
    QApplication::setApplicationName("Vantrel");
    QGuiApplication::setDesktopFileName("org.vantrel.Vantrel"); // ties the window to its launcher

    ui::qt::QtHost host;
    ui::Runtime runtime(host);
    ui::qt::Renderer renderer(runtime);
    host.setRenderer(&renderer);

    const std::string logbookPath = storage::defaultLogbookPath();
    // The keyring and the server answer later, through the event loop: the first frame never
    // waits for them. The membership outlives the game that points at it.
    const std::unique_ptr<squadron::Keyring> keyring = squadron::makeDesktopKeyring();
    squadron::Membership membership(host, logbookPath, keyring.get());

    Game game(runtime);
    // The window never waits for the file: a record it cannot write at once is held and written
    // from a thread of its own.
    game.logbook = std::make_unique<logbook::Logbook>(
        std::make_unique<storage::SqliteStore>(
            logbookPath,
            storage::SqliteOptions{.busyTimeoutMs = 0,
                                   .utcSeconds = [&host] { return host.utcSeconds(); }}),
        std::make_unique<storage::BackgroundWriter>(logbookPath));
    game.squadron = &membership;
    membership.start();
    game.start();
    return QApplication::exec();
}
