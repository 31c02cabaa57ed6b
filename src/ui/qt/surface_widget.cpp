// SPDX-License-Identifier: MIT
#include "surface_widget.h"

#include "painting.h"
#include "ui/form.h"
#include "ui/runtime.h"

#include <optional>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace ui::qt {

namespace {

std::optional<Key> keyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    default:
        return std::nullopt;
    }
}
} // namespace

bool paintedBySurface(const Control& c) {
    return c.kind() == ControlKind::Label || c.kind() == ControlKind::Image ||
           c.kind() == ControlKind::Line || c.kind() == ControlKind::Shape;
}

SurfaceWidget::SurfaceWidget(Runtime& runtime, Form& form, Canvas& canvas, Control* surface,
                             QWidget* parent)
    : QWidget(parent), runtime_(runtime), form_(form), canvas_(canvas), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click on a drawing surface gives it the focus, so F1 and the keys then speak of it.
    if (surface_) setFocusPolicy(Qt::ClickFocus);
}

// A drawing of more items than this (a whole class's tracks) is painted once and copied while
// only the controls above it move; a smaller one costs less to paint than to keep.
constexpr std::size_t kKeptDrawing = 4096;

void SurfaceWidget::paintKept(QPainter& painter, double zoom, const QColor& back) {
    const qreal ratio = devicePixelRatioF();
    const QSize size = this->size() * ratio;
    const auto revision = canvas_.drawing().revision();
    if (kept_.size() != size || kept_.devicePixelRatio() != ratio || keptRevision_ != revision ||
        keptZoom_ != zoom || keptBack_ != back.rgb()) {
        kept_ = QPixmap(size);
        kept_.setDevicePixelRatio(ratio);
        QPainter keep(&kept_);
        keep.fillRect(rect(), back);
        keep.scale(zoom, zoom);
        paintDrawing(keep, canvas_);
        keptRevision_ = revision, keptZoom_ = zoom, keptBack_ = back.rgb();
    }
    painter.drawPixmap(0, 0, kept_);
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor back = toQColor(surface_ ? surface_->backColor() : form_.backColor);
    // Drawn in the designed layout's pixels and enlarged as it is drawn: lines, circles and
    // text come out sharp at every zoom.
    const double zoom = zoomOf(form_);
    if (canvas_.drawing().items().size() > kKeptDrawing) {
        paintKept(painter, zoom, back);
        painter.scale(zoom, zoom);
    } else {
        kept_ = QPixmap();
        painter.fillRect(rect(), back);
        painter.scale(zoom, zoom);
        paintDrawing(painter, canvas_);
    }
    if (!surface_) return;
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& c : form_.controls())
        if (c->parent() == surface_ && paintedBySurface(*c)) paintLightweight(painter, *c);
    painter.resetTransform();
    if (!hasFocus()) return;
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    // The focus is drawn in a colour that stands out from the surface's own.
    const bool darkSurface = qGray(toQColor(surface_->backColor()).rgb()) < 128;
    focus.palette.setColor(QPalette::WindowText, darkSurface ? Qt::white : Qt::black);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (surface_)
        runtime_.click(*surface_);
    else
        runtime_.clickForm(form_);
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event) {
    const auto key = keyOf(event->key());
    if (surface_ && key && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        runtime_.keyPress(*surface_, *key))
        return;
    QWidget::keyPressEvent(event);
}

void SurfaceWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void SurfaceWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace ui::qt
