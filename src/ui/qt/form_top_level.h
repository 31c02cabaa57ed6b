// SPDX-License-Identifier: MIT
#pragma once

#include "form_window.h"
#include "ui/form.h"
#include "ui/runtime.h"

#include <QCloseEvent>
#include <QMainWindow>

namespace ui::qt {

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

} // namespace ui::qt
