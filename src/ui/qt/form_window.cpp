// SPDX-License-Identifier: MIT
#include "form_window.h"

#include "accessibility.h"
#include "control_widgets.h"
#include "painting.h"
#include "player_settings.h"
#include "surface_widget.h"
#include "ui/containers.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/runtime.h"
#include "ui/units.h"
#include "ui/zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

namespace ui::qt {

namespace {

// A note belongs to the main window: above it, never above the game's boxes and dialogs or
// another program. On X11 that is a frameless tool window, transient for the main window, which
// the window manager stacks with it. Wayland lets no program place a window of its own, but
// places a popup relative to its parent, and a tool-tip window with a parent is such a popup
// there, one that takes no input grab and goes and comes with its parent.
bool onWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

Qt::WindowFlags noteFlags() {
    return (onWayland() ? Qt::ToolTip : Qt::Tool) | Qt::FramelessWindowHint;
}

Qt::WindowFlags flagsFor(WindowStyle style) {
    switch (style) {
    case WindowStyle::Main:
        return Qt::Window | Qt::MSWindowsFixedSizeDialogHint;
    case WindowStyle::Dialog:
        return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
               Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    case WindowStyle::Companion:
        return Qt::Window | Qt::MSWindowsFixedSizeDialogHint;
    case WindowStyle::Note:
        return noteFlags();
    }
    return Qt::Window;
}

} // namespace

// The top-level widget: closing it is a request the form decides on, and where the window
// manager puts it is written back into the form.
class FormWindow::TopLevel : public QMainWindow {
public:
    TopLevel(FormWindow& owner, QWidget* parent, Qt::WindowFlags flags)
        : QMainWindow(parent, flags), owner_(&owner) {}

    // The form's window is gone; the widget lingers until Qt deletes it and hears nothing more.
    void detach() { owner_ = nullptr; }
    bool attached() const { return owner_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (!owner_) return;
        // Closing may unload the form, and this window's owner with it.
        const auto after = owner_->afterEvent_;
        owner_->runtime_.closeRequest(owner_->form_);
        after();
    }
    void changeEvent(QEvent* event) override {
        QMainWindow::changeEvent(event);
        if (owner_ && event->type() == QEvent::WindowStateChange && owner_->ownerStateChanged)
            owner_->ownerStateChanged();
        if (owner_ && event->type() == QEvent::ActivationChange) {
            // The game is told which of its windows the player works in. The window left may
            // hear of it after the one taken up: it only ever clears its own place.
            Runtime& runtime = owner_->runtime_;
            if (isActiveWindow())
                runtime.windowActivated(&owner_->form_);
            else if (runtime.activeForm() == &owner_->form_)
                runtime.windowActivated(nullptr);
        }
    }
    void moveEvent(QMoveEvent* event) override {
        QMainWindow::moveEvent(event);
        // A note is only ever where the program puts it.
        if (!owner_ || !isVisible() || owner_->form_.style() == WindowStyle::Note) return;
        const Form& form = owner_->form_;
        const double left = form.left(), top = form.top();
        owner_->takePlaceFromScreen();
        if (owner_->ownerMoved) owner_->ownerMoved(form.left() - left, form.top() - top);
    }

private:
    FormWindow* owner_;
};

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

    auto* help =
        new QShortcut(QKeySequence(Qt::Key_F1), window_, nullptr, nullptr, Qt::WindowShortcut);
    // An event may unload the form and so end this FormWindow: the handlers below keep what
    // they need after it in their own captures.
    QObject::connect(help, &QShortcut::activated, window_, [this, after = afterEvent_] {
        QWidget* focus = QApplication::focusWidget();
        Control* focused = focus && focus->window() == window_ ? controlOf(focus) : nullptr;
        runtime_.helpKey(form_, focused);
        after();
    });
    if (form.cancelControl) {
        auto* cancel = new QShortcut(QKeySequence(Qt::Key_Escape), window_, nullptr, nullptr,
                                     Qt::WindowShortcut);
        QObject::connect(cancel, &QShortcut::activated, window_,
                         [&runtime = runtime_, control = form.cancelControl, after = afterEvent_] {
                             runtime.click(*control);
                             after();
                         });
    }
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

void FormWindow::addMenuItems(QMenu* menu, std::vector<MenuItem>& items) {
    QActionGroup* choices = nullptr;
    for (auto& item : items) {
        if (item.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        if (!item.items.empty()) {
            QMenu* submenu = menu->addMenu(QString::fromStdString(item.caption));
            submenu->setObjectName(QString::fromStdString(item.name));
            addMenuItems(submenu, item.items);
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(item.caption));
        action->setObjectName(QString::fromStdString(item.name));
        QList<QKeySequence> keys;
        for (const auto& shortcut : item.shortcuts)
            keys.append(QKeySequence(QString::fromStdString(shortcut)));
        action->setShortcuts(keys);
        if (item.everyWindow) action->setShortcutContext(Qt::ApplicationShortcut);
        if (item.checkable) {
            // The choices of one menu are drawn as one choice, the one in force marked.
            if (!choices) {
                choices = new QActionGroup(menu);
                choices->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
            }
            action->setCheckable(true);
            choices->addAction(action);
        }
        // The menu shows what the form holds; a trigger asks the form.
        QObject::connect(action, &QAction::triggered, window_,
                         [&runtime = runtime_, &item, after = afterEvent_] {
                             runtime.menu(item);
                             after();
                         });
        actions_.push_back({&item, action});
    }
}

void FormWindow::zoomMenus() {
    if (form_.menus.empty()) return;
    // The menus grow with the window, from the desktop's own menu font.
    const QFont font = zoomedFont(QApplication::font("QMenuBar"), zoomOf(form_));
    window_->menuBar()->setFont(font);
    for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>())
        menu->setFont(font);
}

void FormWindow::buildMenus() {
    for (auto& menu : form_.menus) {
        QMenu* qmenu = window_->menuBar()->addMenu(QString::fromStdString(menu.caption));
        qmenu->setObjectName(QString::fromStdString(menu.name));
        addMenuItems(qmenu, menu.items);
    }
    zoomMenus();
}

void FormWindow::syncMenus() {
    for (auto& [item, action] : actions_) {
        if (action->isChecked() != item->checked) action->setChecked(item->checked);
        if (action->isEnabled() != item->enabled) action->setEnabled(item->enabled);
    }
}

void FormWindow::buildControls() {
    for (auto& control : form_.controls()) {
        Control& c = *control;
        if (auto* timer = dynamic_cast<Timer*>(&c)) {
            auto* qtimer = new QTimer(window_);
            QObject::connect(qtimer, &QTimer::timeout, window_,
                             [&runtime = runtime_, timer, after = afterEvent_] {
                                 runtime.tick(*timer);
                                 after();
                             });
            tickers_.push_back({timer, qtimer});
            continue;
        }
        QWidget* parent = client_;
        if (Control* holder = c.parent()) {
            parent = widgetOf(*holder);
            if (holder->kind() == ControlKind::PictureBox && paintedBySurface(c)) {
                painted_.push_back({&c, parent, c.revision(), paintedArea(c)});
                continue;
            }
        }
        if (QWidget* w = createControlWidget(runtime_, c, parent, afterEvent_))
            views_.push_back({&c, w, c.revision()});
    }
    QWidget* previous = nullptr;
    for (Control* c : form_.tabOrder) {
        QWidget* w = widgetOf(*c);
        if (!w) continue;
        // An option button's group decides whether Tab stops at it.
        if (c->kind() != ControlKind::OptionButton) w->setFocusPolicy(Qt::StrongFocus);
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QWidget* FormWindow::widgetOf(const Control& control) const {
    for (const auto& v : views_)
        if (v.control == &control) return v.widget;
    return nullptr;
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
    // A window that speaks through what is printed on it, like a note, is read out by it.
    std::string printed;
    for (const auto& item : form_.drawing().items())
        if (const auto* text = std::get_if<TextItem>(&item)) printed += text->text;
    const std::string& name = form_.accessibleName.empty() ? form_.caption() : form_.accessibleName;
    // Qt tells listeners of every setting, changed or not.
    if (const QString n = QString::fromStdString(name); client_->accessibleName() != n)
        client_->setAccessibleName(n);
    if (const QString d = QString::fromStdString(printed).simplified();
        client_->accessibleDescription() != d)
        client_->setAccessibleDescription(d);
}

void FormWindow::sync() {
    if (!window_) return;
    for (auto& t : tickers_) {
        t.qtimer->setInterval(t.timer->interval());
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

bool FormWindow::ownerMinimised() const {
    const QWidget* owner = window_ ? window_->parentWidget() : nullptr;
    return owner && owner->isMinimized();
}

void FormWindow::matchOwnerState() {
    if (!window_) return;
    if (ownerMinimised())
        window_->hide();
    else if (form_.visible() && !window_->isVisible())
        show();
}

void FormWindow::followOwner(double leftTwips, double topTwips) {
    if (!window_ || !window_->isVisible() || (leftTwips == 0 && topTwips == 0)) return;
    // From the place the game gave it, not from where Qt believes the window is: a window
    // manager may tell a note's place wrongly, at the corner of the screen, once it is shown.
    placedLeft_ = form_.left() + leftTwips;
    placedTop_ = form_.top() + topTwips;
    form_.movedTo(placedLeft_, placedTop_);
    window_->move(screenPixels(placedLeft_), screenPixels(placedTop_));
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

int FormWindow::screenPixels(double twips) const {
    return qRound(twipsToPixels(twips) * zoomOf(form_));
}

void FormWindow::takePlaceFromScreen() {
    const QPoint at = window_->frameGeometry().topLeft();
    placedLeft_ = pixelsToTwips(at.x() / zoomOf(form_));
    placedTop_ = pixelsToTwips(at.y() / zoomOf(form_));
    form_.movedTo(placedLeft_, placedTop_);
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

QScreen* FormWindow::screenOfOwner() const {
    if (owner_ && owner_->screen()) return owner_->screen();
    return window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
}

void FormWindow::fitZoomToScreen() {
    // The View menu offers the levels the main window fits; a larger window is drawn as large
    // as its screen's free area lets it at such a level, so every button of it stays in reach.
    if (form_.style() == WindowStyle::Main || form_.style() == WindowStyle::Note) return;
    QScreen* screen = screenOfOwner();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect inner = window_->geometry(), outer = window_->frameGeometry();
    const bool framed = window_->isVisible() && outer != inner;
    const FrameMargins frame =
        framed ? FrameMargins{inner.left() - outer.left(), inner.top() - outer.top(),
                              outer.right() - inner.right(), outer.bottom() - inner.bottom()}
               : usualFrameMargins(form_.style());
    const double largest = largestZoomFor({form_.pixelWidth(), form_.pixelHeight()}, frame,
                                          {double(area.width()), double(area.height())});
    // Whole percents, rounded down, so that the window's rounded edges stay inside.
    limitZoom(form_, std::max(0.25, std::floor(largest * 100) / 100));
}

void FormWindow::placeBesideOwner() {
    if (!owner_ || !owner_->isVisible()) return;
    QScreen* screen = screenOfOwner();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect main = owner_->frameGeometry();
    // A window of its own in the task bar, it shows the game's icon there.
    if (form_.icon.isNull()) window_->setWindowIcon(owner_->windowIcon());
    window_->adjustSize();
    // The frame is not told until the window is shown: a usual one is counted around it.
    const FrameMargins usual = usualFrameMargins(form_.style());
    const QSize size = window_->size() + QSize(usual.left + usual.right, usual.top + usual.bottom);
    // On the side with room for it, or failing that the side with more room, level with the
    // main window's top, and always on the screen.
    const int roomRight = area.right() - main.right(), roomLeft = main.left() - area.left();
    const bool right = roomRight >= size.width() || roomRight >= roomLeft;
    int x = right ? main.right() + 1 : main.left() - size.width();
    int y = main.top();
    x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - size.width()));
    y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    window_->move(x, y);
}

void FormWindow::keepOnScreen() {
    QScreen* screen = window_->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window_->frameGeometry();
    if (frame.right() > area.right()) frame.moveRight(area.right());
    if (frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
    if (frame.left() < area.left()) frame.moveLeft(area.left());
    if (frame.top() < area.top()) frame.moveTop(area.top());
    if (frame.topLeft() != window_->frameGeometry().topLeft()) window_->move(frame.topLeft());
}

void FormWindow::rememberPlace() {
    if (window_ && everShown_)
        keepPlayerSetting(QStringLiteral("window/position"), window_->frameGeometry().topLeft());
}

std::optional<QPoint> FormWindow::rememberedPlace() const {
    const QVariant saved = playerSetting(QStringLiteral("window/position"));
    if (!saved.canConvert<QPoint>()) return std::nullopt;
    // A settings file edited by hand or damaged may hold any number: the sums are made in 64
    // bits, where a corner near the largest int plus the window's size cannot overflow.
    const std::int64_t x = saved.toPoint().x(), y = saved.toPoint().y();
    // Until the window manager tells the real frame, a usual one is counted around the window.
    const QRect inner = window_->geometry(), outer = window_->frameGeometry();
    const FrameMargins usual = usualFrameMargins(WindowStyle::Dialog);
    const bool framed = outer != inner;
    const std::int64_t width = framed ? outer.width() : inner.width() + usual.left + usual.right;
    const std::int64_t height = framed ? outer.height() : inner.height() + usual.top + usual.bottom;
    const std::int64_t titleHeight = framed ? inner.top() - outer.top() : usual.top;
    // The title bar must be on a screen, where the player can take hold of it; a screen that
    // has gone since takes the window back to the middle of one that is there.
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const std::int64_t left = area.left(), top = area.top();
        const std::int64_t right = left + area.width(), bottom = top + area.height();
        const std::int64_t across = std::min(x + width, right) - std::max(x, left);
        const std::int64_t down =
            std::min(y + std::max<std::int64_t>(titleHeight, 1), bottom) - std::max(y, top);
        if (across < 48 || down <= 0) continue;
        // Then the whole window is brought on that screen, its title bar first where the
        // window is larger than the screen.
        const std::int64_t placedX = std::max(left, std::min(x, right - width));
        const std::int64_t placedY = std::max(top, std::min(y, bottom - height));
        return QPoint(static_cast<int>(placedX), static_cast<int>(placedY));
    }
    return std::nullopt;
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
