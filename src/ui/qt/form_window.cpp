// SPDX-License-Identifier: MIT
#include "form_window.h"

#include "accessibility.h"
#include "control_widgets.h"
#include "form_top_level.h"
#include "painting.h"
#include "surface_widget.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/runtime.h"
#include "window_kinds.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMetaObject>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace ui::qt {

FormWindow::FormWindow(Runtime& runtime, Form& form, QWidget* owner,
                       std::function<void()> afterEvent)
    : runtime_(runtime), form_(form), afterEvent_(std::move(afterEvent)), owner_(owner) {
    // A companion stands beside the main window, not over it: it has no owner the window
    // manager would keep it above.
    const bool ownWindow =
        form.style() == WindowStyle::Main || form.style() == WindowStyle::Companion;
    window_ = new TopLevel(*this, ownWindow ? nullptr : owner, flagsFor(form.style()));
    fitZoomToScreen();
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    if (form.style() == WindowStyle::Note) window_->setAttribute(Qt::WA_ShowWithoutActivating);
    client_ = new SurfaceWidget(runtime, form, form, nullptr, window_);
    // The controls take the window's colours and font from here, unless they have their own.
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, toQColor(form.backColor));
    palette.setColor(QPalette::WindowText, toQColor(form.foreColor));
    client_->setPalette(palette);
    client_->setFont(toQFont(form.font, zoomOf(form)));
    window_->setCentralWidget(client_);
    window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    buildMenus();
    buildControls();

    buildShortcuts();
    if (form.style() == WindowStyle::Main) {
        // The window manager decides where the main window first appears.
        placedLeft_ = form.left();
        placedTop_ = form.top();
    }
    sync();
}

FormWindow::~FormWindow() {
    retire();
}

void FormWindow::retire() {
    liftZoomLimit(form_);
    for (auto& t : tickers_)
        if (t.qtimer) t.qtimer->stop();
    tickers_.clear();
    views_.clear();
    painted_.clear();
    if (window_) {
        static_cast<TopLevel*>(window_.data())->detach();
        // The widgets linger until Qt deletes them, the form they drew does not: they paint
        // and tell of it no more.
        window_->setUpdatesEnabled(false);
        forgetControls(window_);
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
}

void FormWindow::syncWindow() {
    if (!window_) return;
    window_->setWindowTitle(QString::fromStdString(form_.caption()));
    if (!form_.icon.isNull() && window_->windowIcon().isNull())
        window_->setWindowIcon(QIcon(QPixmap::fromImage(toQImage(form_.icon).copy())));
    const bool moved = form_.left() != placedLeft_ || form_.top() != placedTop_;
    if (moved || form_.clientWidth() != sizedWidth_ || form_.clientHeight() != sizedHeight_) {
        sizedWidth_ = form_.clientWidth();
        sizedHeight_ = form_.clientHeight();
        // Sized from its edges, so that a window placed by its right edge ends exactly there.
        const double left = moved ? form_.left() : placedLeft_;
        client_->setFixedSize(screenPixels(left + sizedWidth_) - screenPixels(left),
                              screenPixels(form_.top() + sizedHeight_) - screenPixels(form_.top()));
    }
    if (moved) {
        placedLeft_ = form_.left();
        placedTop_ = form_.top();
        window_->move(screenPixels(placedLeft_), screenPixels(placedTop_));
        // A Wayland popup keeps the place it was given when it appeared: a shown note that
        // moves appears afresh at its new place.
        if (onWayland() && form_.style() == WindowStyle::Note && window_->isVisible()) {
            window_->hide();
            window_->show();
        }
    }
    syncAccessibleText();
}

void FormWindow::sync() {
    if (!window_) return;
    for (auto& t : tickers_) {
        // Setting an interval starts a running timer afresh: done on every sync, a timer slower
        // than the events of the other windows would never tick.
        if (t.qtimer->interval() != t.timer->interval()) t.qtimer->setInterval(t.timer->interval());
        const bool ticking = t.timer->enabled() && t.timer->interval() > 0;
        if (ticking != t.qtimer->isActive()) ticking ? t.qtimer->start() : t.qtimer->stop();
    }
    if (form_.revision() == seenRevision_) return;
    seenRevision_ = form_.revision();
    syncWindow();
    syncMenus();
    for (auto& v : views_) {
        if (v.control->revision() == v.revision) continue;
        v.revision = v.control->revision();
        syncControlWidget(*v.control, v.widget);
        announceChange(*v.control, v.widget);
    }
    // A symbol that moves inside a surface is repainted by that surface: where it was and
    // where it is now, and no more, since the map under it has not changed.
    for (auto& p : painted_) {
        if (p.control->revision() == p.revision) continue;
        p.revision = p.control->revision();
        const QRect now = paintedArea(*p.control);
        p.surface->update(p.area.united(now));
        p.area = now;
        announceChange(*p.control, p.surface);
    }
    if (form_.drawing().revision() != seenDrawing_) {
        seenDrawing_ = form_.drawing().revision();
        client_->update();
    }
}

void FormWindow::show() {
    if (!window_) return;
    sync();
    // A note waits while the window it belongs to is minimised, and comes back with it.
    if (form_.style() == WindowStyle::Note && ownerMinimised()) return;
    if (form_.style() == WindowStyle::Main && !everShown_) {
        // First appearance: where the player left it, if that is still on a screen, or else
        // in the middle of the screen.
        window_->adjustSize();
        if (const auto remembered = rememberedPlace())
            window_->move(*remembered);
        else if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            QRect frame = window_->frameGeometry();
            frame.moveCenter(area.center());
            window_->move(frame.topLeft());
        }
    }
    if (form_.style() == WindowStyle::Companion && !everShown_) placeBesideOwner();
    if (!everShown_) {
        // The focus starts where a user's Tab would first stop.
        for (Control* c : form_.tabOrder)
            if (QWidget* w = widgetOf(*c); w && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus(Qt::OtherFocusReason);
                break;
            }
    }
    everShown_ = true;
    // A window manager minimises a note with its window; shown again it must not come back
    // minimised, which would take the main window down with it.
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    if (form_.style() != WindowStyle::Main) return;
    takePlaceFromScreen();
    if (QWindow* handle = window_->windowHandle(); handle && !watchingScreen_) {
        // Another screen, or this one grown or shrunk, may fit the window at another zoom.
        watchingScreen_ = true;
        // Told late, the game may be gone already: a retired window no longer passes it on.
        auto told = [top = static_cast<TopLevel*>(window_.data()), &runtime = runtime_,
                     after = afterEvent_] {
            if (!top->attached()) return;
            runtime.screenChanged();
            after();
        };
        QObject::connect(handle, &QWindow::screenChanged, window_, told);
        for (QScreen* screen : QGuiApplication::screens())
            QObject::connect(screen, &QScreen::availableGeometryChanged, window_, told);
        // The window may have come back on another screen than the one its zoom was fitted to,
        // or hang over the edge of its own: it is fitted and brought on once it is there.
        keepOnScreen();
        takePlaceFromScreen();
        QMetaObject::invokeMethod(window_, told, Qt::QueuedConnection);
    }
}

void FormWindow::zoomChanged() {
    if (!window_) return;
    fitZoomToScreen();
    client_->setFont(toQFont(form_.font, zoomOf(form_)));
    zoomMenus();
    // Everything is laid out afresh at the new size.
    for (auto& v : views_)
        v.revision = 0;
    for (auto& p : painted_)
        p.area = paintedArea(*p.control);
    seenRevision_ = 0;
    sizedWidth_ = sizedHeight_ = -1;
    sync();
    client_->update();
    if (form_.style() == WindowStyle::Note) return;
    // A window keeps its corner where it is on the screen and grows from there, as far as
    // the screen lets it.
    if (window_->isVisible()) {
        window_->adjustSize();
        keepOnScreen();
        takePlaceFromScreen();
    }
}

void FormWindow::hide() {
    if (window_) window_->hide();
}

void FormWindow::raise() {
    if (!window_) return;
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace ui::qt
