// SPDX-License-Identifier: MIT
// The real game in poor surroundings: a read-only program folder with neither the tone file,
// nor the help file, nor the help viewer in it, on a machine without a sound device. The game
// goes on everywhere; what a person must act on is said in a note that does not hold it.

#include "support/real_game.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>

namespace {

// An empty folder that nobody may write to, for the duration of a test.
struct ReadOnlyFolder {
    QTemporaryDir dir;
    ReadOnlyFolder() { QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner); }
    ~ReadOnlyFolder() {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

TEST(HostileSurroundings, aBareReadOnlyFolderLeavesTheGamePlayable) {
    ReadOnlyFolder folder;
    ASSERT_TRUE(folder.dir.isValid());
    RealGame g({}, folder.dir.path());
    MainWindow& w = g.main();
    EXPECT_EQ(g.runtime.helpFile, (folder.dir.path() + "/qr64.HLP").toStdString());

    // The ELT heard at once, so the missing tone file is asked for; then help of every kind.
    g.game.search.eltX = g.game.search.aircraftX;
    g.game.search.eltY = g.game.search.aircraftY - 8;
    g.game.signalHeard = 0;
    g.runtime.click(*w.cmdUp);
    EXPECT_EQ(w.MMctrl->fileName(), (folder.dir.path() + "/elt1.wav").toStdString());
    g.runtime.click(*w.cmdHelp);
    g.runtime.helpKey(w, w.optSpeed[1]);
    g.runtime.click(*w.cmdRight);
    g.renderer.syncNow();

    // The missing viewer is named on screen once, in a note that does not hold the game.
    QStringList notes;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
            notes << box->text();
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].contains(folder.dir.path() + "/vantrel-help")) << notes[0].toStdString();
    EXPECT_TRUE(notes[0].contains("missing")) << notes[0].toStdString();

    EXPECT_FALSE(g.runtime.ended());
    EXPECT_EQ(g.game.search.distanceFlown, 2);
    EXPECT_EQ(g.game.search.heading, 45);
    EXPECT_EQ(w.lblHeading->caption(), "45");
    EXPECT_TRUE(
        QDir(folder.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty())
        << "the game writes nothing into its folder";

    g.runtime.closeRequest(w); // tells a viewer that is not there to close
    EXPECT_TRUE(g.runtime.ended());
}

} // namespace
