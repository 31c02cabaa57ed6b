// SPDX-License-Identifier: MIT
#include "control_widgets.h"
#include "form_window.h"
#include "ui/form.h"
#include "ui/runtime.h"

#include <QApplication>
#include <QShortcut>

namespace ui::qt {

void FormWindow::buildShortcuts() {
    auto* help =
        new QShortcut(QKeySequence(Qt::Key_F1), window_, nullptr, nullptr, Qt::WindowShortcut);
    // An event may unload the form and so end this FormWindow: the handlers below keep what
    // they need after it in their own captures.
    QObject::connect(help, &QShortcut::activated, window_, [this, after = afterEvent_] {
        QWidget* focus = QApplication::focusWidget();
        Control* focused = focus && focus->window() == window_ ? controlOf(focus) : nullptr;
        runtime_.helpKey(form_, focused);
        after();
    });
    if (form_.cancelControl) {
        auto* cancel = new QShortcut(QKeySequence(Qt::Key_Escape), window_, nullptr, nullptr,
                                     Qt::WindowShortcut);
        QObject::connect(cancel, &QShortcut::activated, window_,
                         [&runtime = runtime_, control = form_.cancelControl, after = afterEvent_] {
                             runtime.click(*control);
                             after();
                         });
    }
}

} // namespace ui::qt
