// SPDX-License-Identifier: MIT
#pragma once

#include "accessible_reading.h"

#include <memory>
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

namespace ui::qt {

class PaintedAccessible;

// The widget of a control, as assistive technology should hear it: option buttons are radio
// buttons, an arrow is a button that acts, a picture is an image, a readout has its reading as
// text (and value), a gauge its reading as value.
class ControlAccessible : public QAccessibleWidget, public ReadingInterfaces {
public:
    ControlAccessible(QWidget* widget, Reading reading);

    QAccessible::Role role() const override { return reading().role; }
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

    // The widget tells its own name changes, when the renderer sets its name.
    void update(Reading next) { ReadingInterfaces::update(this, std::move(next), false); }

private:
    bool acts() const;
};

// A drawing surface, with the readouts it paints as children of its own.
class SurfaceAccessible : public ControlAccessible {
public:
    SurfaceAccessible(QWidget* widget, Reading reading,
                      std::vector<std::pair<const Control*, Reading>> painted);
    ~SurfaceAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    // The child that presents `c`, or null; `c` is only compared, never read.
    PaintedAccessible* paintedChild(const Control& c) const;

private:
    struct Painted {
        const Control* control;
        PaintedAccessible* face; // owned by Qt's accessibility cache once registered
        QAccessible::Id id;
    };
    std::vector<Painted> painted_;
};

// A readout that has no widget of its own because a surface paints it.
class PaintedAccessible : public QAccessibleInterface, public ReadingInterfaces {
public:
    PaintedAccessible(QWidget* surface, Reading reading);

    bool isValid() const override { return !surface_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return reading().role; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override { return readingInterface(t); }

    // The widget tells its own name changes, when the renderer sets its name.
    void update(Reading next) { ReadingInterfaces::update(this, std::move(next), true); }

private:
    QPointer<QWidget> surface_;
};

} // namespace ui::qt
