#include "surface_widget.h"

#include "painting.h"
#include "ui/form.h"
#include "ui/runtime.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui::qt {

namespace {
bool paintedBySurface(ControlKind k) {
    return k == ControlKind::Label || k == ControlKind::Image || k == ControlKind::Line ||
           k == ControlKind::Shape;
}
} // namespace

SurfaceWidget::SurfaceWidget(Runtime& runtime, Form& form, Canvas& canvas, Control* surface,
                             QWidget* parent)
    : QWidget(parent), runtime_(runtime), form_(form), canvas_(canvas), surface_(surface) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Color back = surface_ ? surface_->backColor() : form_.backColor;
    painter.fillRect(rect(), toQColor(back));
    paintDrawing(painter, canvas_);
    if (!surface_) return;
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& c : form_.controls())
        if (c->parent() == surface_ && paintedBySurface(c->kind())) paintLightweight(painter, *c);
}

void SurfaceWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (surface_)
        runtime_.click(*surface_);
    else
        runtime_.clickForm(form_);
}

} // namespace ui::qt
