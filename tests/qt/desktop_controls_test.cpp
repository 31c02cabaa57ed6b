// SPDX-License-Identifier: MIT
// The main window's controls as a keyboard and mouse user meets them: what is drawn follows the
// game after every event, the colours are the game's whatever the desktop's theme, the focus
// goes where the user points and can be seen.
#include "game/help_menu.h"
#include "logbook/logbook_window.h"
#include "support/on_screen.h"
#include "support/real_game.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/surface_widget.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMainWindow>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// The real game, shown and active, so that keys reach its focused control.
struct ActiveGame : RealGame {
    explicit ActiveGame(std::deque<float> randoms = {}) : RealGame(std::move(randoms)) {
        window()->show();
        window()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window()));
    }
    QMainWindow* window() { return windowOf(main()).window(); }
    QWidget* widget(const ui::Control* c) { return windowOf(main()).widgetOf(*c); }
    QWidget* focused() { return QApplication::focusWidget(); }
    void press(QWidget* w, Qt::Key key) {
        w->setFocus(Qt::TabFocusReason);
        QTest::keyClick(w, key);
        settle();
    }
};

bool drawnChecked(QWidget* w) {
    return static_cast<QAbstractButton*>(w)->isChecked();
}

TEST(DesktopControls, optionButtonsAndTheCheckBoxShowTheGameAfterEveryClickAndKey) {
    // Clicking or pressing Space on an option that is already selected leaves it selected, on
    // screen as in the game; the check box is drawn as the game holds it.
    ActiveGame g;
    MainWindow& w = g.main();
    for (ui::OptionButton* option : {w.optSpeed[0], w.optDFMode[0]}) {
        QWidget* q = g.widget(option);
        QTest::mouseClick(q, Qt::LeftButton, {}, QPoint(8, q->height() / 2));
        settle();
        EXPECT_TRUE(option->value());
        EXPECT_TRUE(drawnChecked(q)) << option->qualifiedName() << " after a click";
        g.press(q, Qt::Key_Space);
        EXPECT_TRUE(drawnChecked(q)) << option->qualifiedName() << " after Space";
    }
    QWidget* search = g.widget(w.optSpeed[1]);
    QTest::mouseClick(search, Qt::LeftButton, {}, QPoint(8, search->height() / 2));
    settle();
    EXPECT_TRUE(drawnChecked(search));
    EXPECT_FALSE(drawnChecked(g.widget(w.optSpeed[0])));
    QWidget* bearing = g.widget(w.chkBearing);
    g.press(bearing, Qt::Key_Space);
    EXPECT_EQ(w.chkBearing->value(), 1);
    EXPECT_TRUE(drawnChecked(bearing));
    w.chkBearing->setValue(0); // the game clears it, as New Search does
    settle();
    EXPECT_FALSE(drawnChecked(bearing));
}

TEST(DesktopControls, buttonsOptionsAndTheCheckBoxWearTheWindowsGreyWhateverTheTheme) {
    // A dark desktop must not leak in: faces stay light grey, indicators white with a dark mark.
    qApp->setStyleSheet("QWidget { background: #202020; color: #e0e0e0; }");
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(32, 32, 32));
    dark.setColor(QPalette::Button, QColor(40, 40, 40));
    dark.setColor(QPalette::Base, QColor(20, 20, 20));
    QApplication::setPalette(dark);
    QApplication::setStyle("Windows"); // not ours, as a desktop may choose
    ActiveGame g;
    MainWindow& w = g.main();
    const QColor grey(192, 192, 192);
    auto faceOf = [&](const ui::Control* c, QPoint at) {
        return g.widget(c)->grab().toImage().pixelColor(at);
    };
    EXPECT_EQ(faceOf(w.cmdHint, {4, 4}), grey) << "a push button's face, near its corner";
    EXPECT_EQ(faceOf(w.cmdHint, {g.widget(w.cmdHint)->width() - 5, 30}), grey);
    for (const ui::Control* c :
         {static_cast<ui::Control*>(w.optSpeed[1]), static_cast<ui::Control*>(w.chkBearing)}) {
        QWidget* q = g.widget(c);
        const QImage image = q->grab().toImage();
        EXPECT_EQ(image.pixelColor(q->width() - 3, 0), grey) << c->qualifiedName();
        // The indicator sits at the left: somewhere inside it is white.
        EXPECT_GE(countIn(image, QRect(0, 0, 16, q->height()), QColor(Qt::white)), 12)
            << c->qualifiedName() << "'s indicator";
    }
    const QImage frame = g.windowOf(w).client()->grab().toImage();
    EXPECT_EQ(frame.pixelColor((5970 + 100) / 15, (3180 + 1000) / 15), grey) << "inside a frame";
    qApp->setStyleSheet(QString());
}

TEST(DesktopControls, theFocusStartsAtExitAndAClickOnASurfaceTakesIt) {
    // F1 speaks of what was clicked last: the map, the DF display and the compass take the focus.
    ActiveGame g;
    MainWindow& w = g.main();
    EXPECT_EQ(g.focused(), g.widget(w.cmdExit));
    for (ui::PictureBox* surface : {w.Pic1, w.PicDf, w.picCompass}) {
        QWidget* q = g.widget(surface);
        QTest::mouseClick(q, Qt::LeftButton, {}, QPoint(q->width() / 2, q->height() / 2));
        settle();
        EXPECT_EQ(ui::qt::controlOf(g.focused()), surface) << surface->name();
        EXPECT_EQ(ui::Runtime::helpTopicFor(w, surface), 10) << surface->name();
    }
}

TEST(DesktopControls, theArrowKeysMoveWithinAnOptionGroupAndTabLeavesIt) {
    ActiveGame g;
    MainWindow& w = g.main();
    g.press(g.widget(w.optSpeed[0]), Qt::Key_Down);
    EXPECT_TRUE(w.optSpeed[1]->value()) << "Down selects the next option";
    EXPECT_EQ(g.focused(), g.widget(w.optSpeed[1]));
    QTest::keyClick(g.focused(), Qt::Key_Down);
    settle();
    EXPECT_TRUE(w.optSpeed[0]->value()) << "and wraps round to the first";
    QTest::keyClick(g.focused(), Qt::Key_Left);
    settle();
    EXPECT_TRUE(w.optSpeed[1]->value());
    EXPECT_EQ(g.game.search.speedStep, 1) << "Search speed is a quarter mile, one map unit";
    QTest::keyClick(g.focused(), Qt::Key_Tab);
    settle();
    EXPECT_EQ(g.focused(), g.widget(w.cmdHint)) << "Tab leaves the group";
    QTest::keyClick(g.focused(), Qt::Key_Backtab);
    settle();
    EXPECT_EQ(g.focused(), g.widget(w.optSpeed[1])) << "and comes back at its selected option";
}

TEST(DesktopControls, enterPressesTheFocusedButton) {
    // Enter on New Search starts a new search, and so does the keypad's Enter.
    ActiveGame g;
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        g.runtime.click(*g.main().cmdUp);
        ASSERT_GT(g.game.search.distanceFlown, 0);
        g.press(g.widget(g.main().cmdStart), enter);
        EXPECT_EQ(g.game.search.distanceFlown, 0) << enter;
    }
}

TEST(DesktopControls, theFocusIsDrawnBoldly) {
    // At least a two-pixel outline: many pixels change between the unfocused and focused look.
    ActiveGame g;
    MainWindow& w = g.main();
    auto changedPixels = [&](QWidget* q) {
        QWidget* elsewhere = g.widget(w.cmdHelp) == q ? g.widget(w.cmdStart) : g.widget(w.cmdHelp);
        elsewhere->setFocus();
        settle();
        const QImage plain = q->grab().toImage();
        q->setFocus();
        settle();
        const QImage focused = q->grab().toImage();
        int n = 0;
        for (int y = 0; y < plain.height(); ++y)
            for (int x = 0; x < plain.width(); ++x)
                n += plain.pixel(x, y) != focused.pixel(x, y);
        return n;
    };
    for (const ui::Control* c :
         {static_cast<const ui::Control*>(w.cmdHint), static_cast<const ui::Control*>(w.Pic1),
          static_cast<const ui::Control*>(w.chkBearing)}) {
        QWidget* q = g.widget(c);
        EXPECT_GE(changedPixels(q), q->width() / 2 + q->height() / 2) << c->qualifiedName();
    }
}

TEST(DesktopControls, aDialogClosedByEscapeOrItsCloseBoxIsGoneAndTheGamePlaysOn) {
    // Each unloads the window from inside its own event; nothing of it may be used afterwards.
    ActiveGame g;
    for (bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape ? "Escape" : "close box");
        showAbout(g.game);
        g.renderer.syncNow();
        QMainWindow* about = g.windowOf(*g.game.about.existing()).window();
        about->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(about));
        if (byEscape) {
            // The window's Escape shortcut, as the window system delivers it.
            for (QShortcut* shortcut : about->findChildren<QShortcut*>())
                if (shortcut->key() == QKeySequence(Qt::Key_Escape)) emit shortcut->activated();
        } else {
            about->close();
        }
        settle();
        EXPECT_EQ(g.game.about.existing(), nullptr);
    }
    EXPECT_TRUE(g.window()->isVisible());
}

TEST(DesktopControls, enterInAQuestionChoosesItsDefaultButtonCancelWhereItIsAskedFor) {
    // A question whose OK cannot be undone asks for Cancel as its default: a hasty Enter keeps.
    ActiveGame g;
    const std::pair<int, int> cases[] = {
        {ui::msgbox::okCancel, ui::msgbox::ok},
        {ui::msgbox::okCancel | ui::msgbox::defaultSecond, ui::msgbox::cancel},
        {ui::msgbox::retryCancel, ui::msgbox::retry},
        {ui::msgbox::okOnly | ui::msgbox::defaultSecond, ui::msgbox::ok},
    };
    for (const auto& [buttons, byEnter] : cases) {
        QTimer press;
        QObject::connect(&press, &QTimer::timeout, [] {
            if (QWidget* box = QApplication::activeModalWidget())
                QTest::keyClick(box, Qt::Key_Return);
        });
        press.start(20);
        EXPECT_EQ(g.runtime.messageBox("Delete it?", buttons), byEnter) << "buttons " << buttons;
    }
}

TEST(DesktopControls, aNameTypedWithoutAnExtensionIsSavedUnderTheFiltersOne) {
    ActiveGame g;
    QTemporaryDir folder;
    QTimer type;
    QObject::connect(&type, &QTimer::timeout, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        dialog->findChild<QLineEdit*>()->setText(QStringLiteral("scores"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    type.start(20);
    const auto chosen = g.host.saveFileName("Export", folder.filePath("logbook.csv").toStdString(),
                                            "CSV files (*.csv)");
    EXPECT_EQ(chosen, folder.filePath("scores.csv").toStdString());
}

// How many pixels of the widget are about as light as `lightness` (0 black, 255 white).
int pixelsOf(QWidget* w, int lightness) {
    const QImage image = w->grab().toImage();
    return countIn(image, image.rect(),
                   [=](QColor c) { return std::abs(qGray(c.rgb()) - lightness) < 40; });
}

TEST(DesktopControls, aButtonThatCannotBeUsedShowsGreyWords) {
    ActiveGame g;
    MainWindow& w = g.main();
    w.cmdReveal->setEnabled(false);
    g.renderer.syncNow();
    // Reveal and Hint are the same size: the words of the one that cannot be used are grey.
    QWidget* reveal = g.widget(w.cmdReveal);
    QWidget* hint = g.widget(w.cmdHint);
    const int black = 0, grey = 128;
    EXPECT_GT(pixelsOf(reveal, grey), pixelsOf(hint, grey) + 20);
    EXPECT_LT(pixelsOf(reveal, black), pixelsOf(hint, black) - 20);
}

} // namespace

TEST(DesktopControls, aSlowTimerTicksWhileOtherWindowsKeepTheRendererBusy) {
    ActiveGame g;
    LogbookWindow& w = *g.game.logbookWindow;
    int ticks = 0;
    w.tmrSquadron->onTick = [&ticks] { ++ticks; };
    w.tmrSquadron->setInterval(200);
    w.show();
    QTimer busy; // the main window's events, each followed by a sync of every window
    QObject::connect(&busy, &QTimer::timeout, [&g] { g.renderer.syncNow(); });
    busy.start(20);
    QTest::qWait(1000);
    EXPECT_GE(ticks, 3);
}
