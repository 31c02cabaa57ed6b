// SPDX-License-Identifier: MIT
// Every control a player can reach, in every window, tells assistive technology what it is,
// and the keyboard visits the main window's controls in the designed order.
#include "game/help_menu.h"
#include "support/real_game.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/surface_widget.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QMainWindow>

namespace {

// The game with every one of its windows open.
struct EveryWindow : RealGame {
    EveryWindow() {
        showAbout(game);
        showSearchHelp(game);
        showExplanation(game, " A note \n of two lines ", 1000, NoteEdge::Left, 1000);
        renderer.syncNow();
        QApplication::processEvents();
    }
};

QString accessibleName(QWidget* w) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

// Reachable: by the keyboard, or by the mouse as something that acts on a click.
bool reachable(QWidget* w) {
    if (!w->isVisibleTo(w->window())) return false;
    if (w->focusPolicy() & Qt::TabFocus) return true;
    if (qobject_cast<QAbstractButton*>(w) && !w->testAttribute(Qt::WA_TransparentForMouseEvents))
        return true;
    if (auto* surface = dynamic_cast<ui::qt::SurfaceWidget*>(w)) {
        const ui::Control* c = surface->surfaceControl();
        return c ? c->hasClickHandler() : true; // a window's own surface takes its clicks
    }
    return false;
}

TEST(Accessibility, everyReachableControlOfEveryWindowHasAName) {
    EveryWindow g;
    int checked = 0;
    for (ui::Form* form : g.runtime.forms()) {
        QMainWindow* window = g.renderer.windowOf(*form)->window();
        ASSERT_FALSE(window->windowTitle().isEmpty() && form->style() != ui::WindowStyle::Note)
            << form->name();
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!reachable(w)) continue;
            ++checked;
            EXPECT_FALSE(accessibleName(w).trimmed().isEmpty())
                << form->name() << ": " << w->objectName().toStdString() << " ("
                << w->metaObject()->className() << ") has no accessible name";
        }
    }
    EXPECT_GE(checked, 20) << "the walk must reach the buttons, arrows, options and the map";
}

TEST(Accessibility, theMapAndANoteSayWhatTheyAre) {
    // The arrows' names are heard through the desktop's bus by the screen reader's test.
    EveryWindow g;
    ui::qt::FormWindow& main = *g.renderer.windowOf(*g.game.main.existing());
    EXPECT_EQ(accessibleName(main.widgetOf(*g.game.main.existing()->Pic1)), "Map");
    QAccessibleInterface* note = QAccessible::queryAccessibleInterface(
        g.renderer.windowOf(*g.game.panel.existing())->client());
    EXPECT_EQ(note->text(QAccessible::Description), "A note of two lines");
}

TEST(Accessibility, theTabKeyFollowsTheDesignedOrder) {
    EveryWindow g;
    ui::qt::FormWindow& main = *g.renderer.windowOf(*g.game.main.existing());
    const MainWindow& w = *g.game.main.existing();
    QWidget* first = main.widgetOf(*w.cmdExit);
    std::vector<std::string> order;
    QWidget* at = first;
    do {
        if (at->focusPolicy() & Qt::TabFocus && at->isVisibleTo(at->window()))
            order.push_back(ui::qt::controlOf(at) ? ui::qt::controlOf(at)->qualifiedName() : "?");
        at = at->nextInFocusChain();
    } while (at != first && order.size() < 30);
    // Each option group is one stop, at its selected option; the map comes last.
    const std::vector<std::string> designed{"cmdExit",   "cmdStart",     "cmdHelp",
                                            "cmdReveal", "chkBearing",   "optSpeed(0)",
                                            "cmdHint",   "optDFMode(0)", "Pic1"};
    EXPECT_EQ(order, designed);
}

} // namespace
