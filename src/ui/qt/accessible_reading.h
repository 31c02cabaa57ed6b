// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QRect>
#include <QString>

namespace ui {
class Control;
}

namespace ui::qt {

// What assistive technology is told of a control at one moment. Interfaces answer from this
// copy, so that they never reach into a form that may already be gone.
struct Reading {
    QAccessible::Role role = QAccessible::NoRole;
    QString name;
    QString description;
    QString text;                // what a readout shows
    std::optional<double> value; // a gauge's reading
    double minimum = 0, maximum = 0;
    bool hasText = false; // a readout: its caption is its text
    bool visible = true;
    QRect place; // in pixels of its container, for a control painted by a surface
};

// The role a control's widget takes on the accessibility bus, or NoRole where Qt's own
// presentation of the widget is right.
QAccessible::Role accessibleRoleOf(const Control& c);

Reading readingOf(const Control& c);

// The text and value interfaces of something that shows a reading.
class ReadingInterfaces : public QAccessibleTextInterface, public QAccessibleValueInterface {
public:
    const Reading& reading() const { return reading_; }

    // Takes the control's new reading and tells listeners what changed: its text or its value,
    // and its name when `tellName` (a widget tells its own name changes).
    void update(QAccessibleInterface* self, Reading next, bool tellName);

    // QAccessibleTextInterface: a readout's text cannot be selected or edited.
    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return static_cast<int>(reading_.text.size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleValueInterface: read only.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override { return {}; }

protected:
    explicit ReadingInterfaces(Reading reading) : reading_(std::move(reading)) {}
    // The interface of `t` this reading offers, or null.
    void* readingInterface(QAccessible::InterfaceType t);

private:
    Reading reading_;
};

} // namespace ui::qt
