// SPDX-License-Identifier: MIT
#include "accessible_reading.h"

#include "painting.h"
#include "ui/control.h"

#include <algorithm>

namespace ui::qt {

QAccessible::Role accessibleRoleOf(const Control& c) {
    switch (c.accessibleRole) {
    case AccessibleRole::Readout:
    case AccessibleRole::Status:
        return QAccessible::StaticText;
    case AccessibleRole::Gauge:
        return QAccessible::Dial;
    case AccessibleRole::Automatic:
        break;
    }
    switch (c.kind()) {
    case ControlKind::OptionButton:
        return QAccessible::RadioButton;
    case ControlKind::CheckBox:
        // Qt's own check box toggles itself, unseen by the form; this one clicks, as the mouse.
        return QAccessible::CheckBox;
    case ControlKind::Frame:
        // Option buttons act as one group per frame, and are heard as one.
        return QAccessible::Grouping;
    case ControlKind::Image:
        // An image with a click event is one of the arrows; any other is a picture.
        return c.hasClickHandler() ? QAccessible::Button : QAccessible::Graphic;
    case ControlKind::Chart:
        // Qt would present its drawing area as a plain canvas.
        return QAccessible::Chart;
    default:
        return QAccessible::NoRole;
    }
}

Reading readingOf(const Control& c) {
    Reading r;
    r.role = accessibleRoleOf(c);
    r.name = QString::fromStdString(c.accessibleName.empty() ? c.caption() : c.accessibleName);
    r.name.remove(QLatin1Char('&'));
    r.description = QString::fromStdString(c.accessibleDescription);
    r.visible = c.visible();
    r.place = pixelRect(c).toRect();
    if (c.accessibleRole == AccessibleRole::Readout) {
        r.hasText = true;
        // Its reading is its text only: Qt would offer a value as one the listener could
        // raise and lower.
        r.text = QString::fromStdString(c.caption());
    } else if (c.accessibleRole == AccessibleRole::Status) {
        // Its state is its name, and its text too: a listener that follows text hears it.
        r.hasText = true;
        r.text = r.name;
    } else if (c.accessibleRole == AccessibleRole::Gauge) {
        r.value = c.accessibleValue();
        r.minimum = c.accessibleMinimum();
        r.maximum = c.accessibleMaximum();
    }
    return r;
}

void ReadingInterfaces::update(QAccessibleInterface* self, Reading next, bool tellName) {
    const Reading before = std::exchange(reading_, std::move(next));
    if (!QAccessible::isActive()) return;
    if (tellName && before.name != reading_.name) {
        QAccessibleEvent event(self, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (reading_.hasText && before.text != reading_.text) {
        QAccessibleTextUpdateEvent event(self, 0, before.text, reading_.text);
        QAccessible::updateAccessibility(&event);
    }
    if (reading_.value && before.value != reading_.value) {
        QAccessibleValueChangeEvent event(self, *reading_.value);
        QAccessible::updateAccessibility(&event);
    }
}

void ReadingInterfaces::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString ReadingInterfaces::text(int startOffset, int endOffset) const {
    const int size = characterCount();
    const int start = std::clamp(startOffset, 0, size);
    const int end = endOffset < 0 ? size : std::clamp(endOffset, start, size);
    return reading_.text.mid(start, end - start);
}

QString ReadingInterfaces::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

QVariant ReadingInterfaces::currentValue() const {
    return reading_.value ? QVariant(*reading_.value) : QVariant();
}

QVariant ReadingInterfaces::maximumValue() const {
    return reading_.value ? QVariant(reading_.maximum) : QVariant();
}

QVariant ReadingInterfaces::minimumValue() const {
    return reading_.value ? QVariant(reading_.minimum) : QVariant();
}

void* ReadingInterfaces::readingInterface(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface && reading_.hasText)
        return static_cast<QAccessibleTextInterface*>(this);
    if (t == QAccessible::ValueInterface && reading_.value)
        return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
}

} // namespace ui::qt
