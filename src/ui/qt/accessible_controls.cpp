// SPDX-License-Identifier: MIT
#include "accessible_controls.h"

#include <QAbstractButton>
#include <QWidget>
#include <QWindow>

namespace ui::qt {

ControlAccessible::ControlAccessible(QWidget* widget, Reading reading)
    : QAccessibleWidget(widget, reading.role), ReadingInterfaces(std::move(reading)) {}

QString ControlAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
        if (auto* button = qobject_cast<QAbstractButton*>(widget()))
            return button->text().remove(QLatin1Char('&'));
        return reading().name;
    case QAccessible::Description:
        return widget()->accessibleDescription();
    case QAccessible::Value:
        if (reading().hasText) return reading().text;
        if (reading().value) return QString::number(*reading().value);
        break;
    default:
        break;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State ControlAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    if (role() == QAccessible::RadioButton || role() == QAccessible::CheckBox) {
        auto* button = qobject_cast<QAbstractButton*>(widget());
        s.checkable = true;
        s.checked = button && button->isChecked();
    }
    if (role() == QAccessible::StaticText || role() == QAccessible::Dial) s.readOnly = true;
    return s;
}

void* ControlAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (void* face = readingInterface(t)) return face;
    return QAccessibleWidget::interface_cast(t);
}

bool ControlAccessible::acts() const {
    auto* button = qobject_cast<QAbstractButton*>(widget());
    return button && (role() == QAccessible::RadioButton || role() == QAccessible::CheckBox ||
                      role() == QAccessible::Button);
}

QStringList ControlAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (acts()) names.prepend(role() == QAccessible::CheckBox ? toggleAction() : pressAction());
    return names;
}

void ControlAccessible::doAction(const QString& action) {
    const bool click = action == pressAction() || action == toggleAction();
    if (click && acts() && widget()->isEnabled()) {
        // As Qt's own buttons do: the click comes from the event loop, so that a message box it
        // opens does not hold up the listener's request.
        static_cast<QAbstractButton*>(widget())->animateClick();
        return;
    }
    QAccessibleWidget::doAction(action);
}

SurfaceAccessible::SurfaceAccessible(QWidget* widget, Reading reading,
                                     std::vector<std::pair<const Control*, Reading>> painted)
    : ControlAccessible(widget, std::move(reading)) {
    for (auto& [control, childReading] : painted) {
        auto* face = new PaintedAccessible(widget, std::move(childReading));
        painted_.push_back({control, face, QAccessible::registerAccessibleInterface(face)});
    }
}

SurfaceAccessible::~SurfaceAccessible() {
    for (const auto& p : painted_)
        QAccessible::deleteAccessibleInterface(p.id);
}

int SurfaceAccessible::childCount() const {
    return ControlAccessible::childCount() + static_cast<int>(painted_.size());
}

QAccessibleInterface* SurfaceAccessible::child(int index) const {
    const int widgets = ControlAccessible::childCount();
    if (index < widgets) return ControlAccessible::child(index);
    const auto at = static_cast<std::size_t>(index - widgets);
    return at < painted_.size() ? painted_[at].face : nullptr;
}

int SurfaceAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (std::size_t i = 0; i < painted_.size(); ++i)
        if (painted_[i].face == child) return ControlAccessible::childCount() + static_cast<int>(i);
    return ControlAccessible::indexOfChild(child);
}

PaintedAccessible* SurfaceAccessible::paintedChild(const Control& c) const {
    for (const auto& p : painted_)
        if (p.control == &c) return p.face;
    return nullptr;
}

PaintedAccessible::PaintedAccessible(QWidget* surface, Reading reading)
    : ReadingInterfaces(std::move(reading)), surface_(surface) {}

QWindow* PaintedAccessible::window() const {
    return surface_ ? surface_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* PaintedAccessible::parent() const {
    return surface_ ? QAccessible::queryAccessibleInterface(surface_.data()) : nullptr;
}

QString PaintedAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        return reading().name;
    case QAccessible::Description:
        return reading().description;
    case QAccessible::Value:
        return reading().text;
    default:
        return {};
    }
}

QRect PaintedAccessible::rect() const {
    if (!surface_) return {};
    return reading().place.translated(surface_->mapToGlobal(QPoint(0, 0)));
}

QAccessible::State PaintedAccessible::state() const {
    QAccessible::State s;
    s.readOnly = true;
    s.invisible = !reading().visible || !surface_ || !surface_->isVisible();
    return s;
}

} // namespace ui::qt
