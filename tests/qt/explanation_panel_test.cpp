// SPDX-License-Identifier: MIT
// The explanation panel in a real window: placed exactly where the game puts it.
#include "game/help_menu.h"
#include "support/real_game.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMainWindow>

namespace {

QMainWindow* panelWindow(RealGame& g) {
    g.renderer.syncNow();
    QApplication::processEvents();
    return g.windowOf(*g.game.panel.existing()).window();
}

TEST(ExplanationPanel, aNotePlacedByItsRightEdgeEndsExactlyThere) {
    RealGame g;
    // Right edges that fall on, and between, pixels; the note's own width varies with its text.
    const struct {
        const char* text;
        double top, right;
    } notes[] = {
        {" Click the three arrows at the right \r\n to move the aircraft on the map ", 1440, 7490},
        {" Turn the aircraft\n in the direction of \n the red needle on the DF Unit", 1552.5, 5997},
        {"x", 3000, 4507.5}};
    for (const auto& n : notes) {
        showExplanation(g.game, n.text, n.top, NoteEdge::Right, n.right);
        QMainWindow* w = panelWindow(g);
        ASSERT_TRUE(w->isVisible());
        const QRect frame = w->frameGeometry();
        EXPECT_EQ(frame, w->geometry()) << "a note has no frame";
        EXPECT_EQ(frame.x() + frame.width(), qRound(n.right / 15)) << n.text;
        EXPECT_EQ(frame.y(), qRound(n.top / 15)) << n.text;
        // Ten percent wider and higher than its text.
        const auto& panel = *g.game.panel.existing();
        EXPECT_NEAR(frame.width(), 1.1 * panel.textWidth(n.text) / 15, 1.0);
        EXPECT_NEAR(frame.height(), 1.1 * panel.textHeight(n.text) / 15, 1.0);
    }
}

} // namespace
