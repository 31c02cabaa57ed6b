// SPDX-License-Identifier: MIT
#include "form_window.h"
#include "painting.h"
#include "player_settings.h"
#include "ui/form.h"
#include "ui/units.h"
#include "ui/zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <QGuiApplication>

namespace ui::qt {

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
int FormWindow::screenPixels(double twips) const {
    return qRound(twipsToPixels(twips) * zoomOf(form_));
}
void FormWindow::takePlaceFromScreen() {
    const QPoint at = window_->frameGeometry().topLeft();
    placedLeft_ = pixelsToTwips(at.x() / zoomOf(form_));
    placedTop_ = pixelsToTwips(at.y() / zoomOf(form_));
    form_.movedTo(placedLeft_, placedTop_);
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

} // namespace ui::qt
