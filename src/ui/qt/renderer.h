// SPDX-License-Identifier: MIT
#pragma once

#include "ui/runtime.h"

#include <functional>
#include <map>
#include <memory>
#include <QObject>

class QWidget;

namespace ui::qt {

class FormWindow;

// Turns every loaded form into a real window and keeps the windows in line with their forms:
// any change of a form asks for one update, made when the event loop is next free (or at once
// before a message box).
class Renderer : public QObject, public RuntimeObserver {
public:
    explicit Renderer(Runtime& runtime);
    ~Renderer() override;

    void syncNow();
    Runtime& runtime() const { return runtime_; }
    FormWindow* windowOf(const Form& form) const;
    // The main window's widget, to own message boxes; null before it exists.
    QWidget* mainWidget() const;

    void formLoaded(Form& form) override;
    void formUnloading(Form& form) override;
    void formShown(Form& form) override;
    void formHidden(Form& form) override;
    void formRaised(Form& form) override;
    void modelChanged() override;
    void zoomChanged() override;
    void programEnded() override;

    // Told after the windows are drawn at a new zoom.
    std::function<void()> zoomed;

private:
    Runtime& runtime_;
    std::map<const Form*, std::unique_ptr<FormWindow>> windows_;
    bool syncQueued_ = false;
};

} // namespace ui::qt
