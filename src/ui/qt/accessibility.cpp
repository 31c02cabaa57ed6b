// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include "accessible_controls.h"
#include "control_widgets.h"
#include "surface_widget.h"
#include "ui/form.h"

#include <QAccessible>
#include <QWidget>

namespace ui::qt {

namespace {

// The readouts and lights a surface paints, which listeners should hear as its children.
std::vector<std::pair<const Control*, Reading>> paintedReadings(const Control& surface) {
    std::vector<std::pair<const Control*, Reading>> found;
    for (const auto& c : surface.form().controls())
        if (c->parent() == &surface && paintedBySurface(*c) &&
            c->accessibleRole != AccessibleRole::Automatic)
            found.emplace_back(c.get(), readingOf(*c));
    return found;
}

QAccessibleInterface* controlFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    const Control* c = widget ? controlOf(widget) : nullptr;
    if (!c) return nullptr;
    Reading reading = readingOf(*c);
    if (c->kind() == ControlKind::PictureBox) {
        auto painted = paintedReadings(*c);
        if (painted.empty() && reading.role == QAccessible::NoRole) return nullptr;
        if (reading.role == QAccessible::NoRole) reading.role = QAccessible::Client;
        return new SurfaceAccessible(widget, std::move(reading), std::move(painted));
    }
    if (reading.role == QAccessible::NoRole) return nullptr; // Qt presents it well itself
    return new ControlAccessible(widget, std::move(reading));
}

} // namespace

void installAccessibleControls() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(controlFactory);
}

void announceChange(const Control& control, QWidget* shownBy) {
    // The reading is kept even while no one listens, so that it is right when someone does.
    if (!shownBy) return;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(shownBy);
    if (controlOf(shownBy) == &control) {
        if (auto* own = dynamic_cast<ControlAccessible*>(face)) own->update(readingOf(control));
    } else if (auto* surface = dynamic_cast<SurfaceAccessible*>(face)) {
        if (PaintedAccessible* child = surface->paintedChild(control))
            child->update(readingOf(control));
    }
}

} // namespace ui::qt
