// The real game in poor surroundings: a read-only program folder with neither the tone file,
// nor the help file, nor the help viewer in it, on a machine without a sound device. The game
// goes on everywhere and says what a person must know on standard error only.
#include "game/game.h"
#include "ui/qt/qt_host.h"
#include "ui/qt/renderer.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct BareFolderGame {
    QTemporaryDir folder;
    ui::qt::QtHost host{folder.path()};
    ui::Runtime runtime{host};
    ui::qt::Renderer renderer{runtime};
    Game game{runtime};

    BareFolderGame() {
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        host.setRenderer(&renderer);
    }
    ~BareFolderGame() {
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

TEST(HostileSurroundings, aBareReadOnlyFolderLeavesTheGamePlayable) {
    BareFolderGame g;
    ASSERT_TRUE(g.folder.isValid());
    g.game.start();
    MainWindow& w = *g.game.main;
    EXPECT_EQ(g.runtime.helpFile, (g.folder.path() + "/qr64.HLP").toStdString());

    // The ELT heard at once, so the missing tone file is asked for; then help of every kind.
    g.game.search.eltX = g.game.search.aircraftX;
    g.game.search.eltY = g.game.search.aircraftY - 8;
    g.game.signalHeard = 0;
    g.runtime.click(*w.cmdUp);
    EXPECT_EQ(w.MMctrl->fileName(), (g.folder.path() + "/elt1.wav").toStdString());
    g.runtime.click(*w.cmdHelp);
    g.runtime.helpKey(w, w.optSpeed[1]);
    g.runtime.click(*w.cmdRight);
    g.renderer.syncNow();

    EXPECT_FALSE(g.runtime.ended());
    EXPECT_EQ(g.game.search.distanceFlown, 2);
    EXPECT_EQ(g.game.search.heading, 45);
    EXPECT_EQ(w.lblHeading->caption(), "45");
    EXPECT_TRUE(QDir(g.folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty())
        << "the game writes nothing into its folder";

    g.runtime.closeRequest(w); // tells a viewer that is not there to close
    EXPECT_TRUE(g.runtime.ended());
}

} // namespace
