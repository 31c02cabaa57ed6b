// SPDX-License-Identifier: MIT
#include "renderer.h"

#include "accessibility.h"
#include "form_window.h"
#include "look.h"
#include "ui/form.h"

#include <QMetaObject>
#include <vector>

namespace ui::qt {

Renderer::Renderer(Runtime& runtime) : runtime_(runtime) {
    useGameLook();
    installAccessibleControls();
    runtime_.addObserver(this);
}

Renderer::~Renderer() {
    runtime_.removeObserver(this);
}

void Renderer::syncNow() {
    syncQueued_ = false;
    for (auto& [form, window] : windows_)
        window->sync();
}

FormWindow* Renderer::windowOf(const Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

QWidget* Renderer::mainWidget() const {
    for (auto& [form, window] : windows_)
        if (form->style() == WindowStyle::Main) return window->window();
    return nullptr;
}

void Renderer::formLoaded(Form& form) {
    auto window = std::make_unique<FormWindow>(runtime_, form, mainWidget(), [this] { syncNow(); });
    if (form.style() == WindowStyle::Main) {
        // The notes go and come with the main window, and travel with it.
        window->ownerStateChanged = [this] {
            for (auto& [f, w] : windows_)
                if (f->style() == WindowStyle::Note) w->matchOwnerState();
        };
        window->ownerMoved = [this](double left, double top) {
            for (auto& [f, w] : windows_)
                if (f->style() == WindowStyle::Note) w->followOwner(left, top);
        };
    }
    windows_[&form] = std::move(window);
}

void Renderer::formUnloading(Form& form) {
    windows_.erase(&form);
}

void Renderer::formShown(Form& form) {
    auto* shown = windowOf(form);
    if (!shown) return;
    shown->show();
    if (form.style() != WindowStyle::Note) return;
    // A note that appears goes on top of the main window's own windows; the dialogs go back
    // above it.
    for (auto& [f, w] : windows_)
        if (f->style() == WindowStyle::Dialog && w->window() && w->window()->isVisible())
            w->window()->raise();
}

void Renderer::formHidden(Form& form) {
    if (auto* w = windowOf(form)) w->hide();
}

void Renderer::formRaised(Form& form) {
    if (auto* w = windowOf(form)) w->raise();
}

void Renderer::modelChanged() {
    if (syncQueued_) return;
    syncQueued_ = true;
    QMetaObject::invokeMethod(
        this, [this] { syncNow(); }, Qt::QueuedConnection);
}

void Renderer::zoomChanged() {
    // The notes keep their place beside the main window in the designed layout's twips, however
    // the main window moves to stay on its screen as it grows.
    const Form* main = nullptr;
    for (auto& [form, window] : windows_)
        if (form->style() == WindowStyle::Main) main = form;
    struct Offset {
        FormWindow* note;
        double x, y;
    };
    std::vector<Offset> notes;
    for (auto& [form, window] : windows_)
        if (form->style() == WindowStyle::Note && main)
            notes.push_back({window.get(), form->left() - main->left(), form->top() - main->top()});
    for (auto& [form, window] : windows_)
        if (form->style() != WindowStyle::Note) window->zoomChanged();
    for (const auto& n : notes) {
        n.note->form().movedTo(main->left() + n.x, main->top() + n.y);
        n.note->zoomChanged();
    }
    if (zoomed) zoomed();
}

void Renderer::programEnded() {
    for (auto& [form, window] : windows_) {
        if (form->style() == WindowStyle::Main) window->rememberPlace();
        window->retire();
    }
}

} // namespace ui::qt
