// SPDX-License-Identifier: MIT
#include "control_widgets.h"
#include "form_window.h"
#include "painting.h"
#include "surface_widget.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/runtime.h"

namespace ui::qt {

void FormWindow::buildControls() {
    for (auto& control : form_.controls()) {
        Control& c = *control;
        if (auto* timer = dynamic_cast<Timer*>(&c)) {
            auto* qtimer = new QTimer(window_);
            QObject::connect(qtimer, &QTimer::timeout, window_,
                             [&runtime = runtime_, timer, after = afterEvent_] {
                                 runtime.tick(*timer);
                                 after();
                             });
            tickers_.push_back({timer, qtimer});
            continue;
        }
        QWidget* parent = client_;
        if (Control* holder = c.parent()) {
            parent = widgetOf(*holder);
            if (holder->kind() == ControlKind::PictureBox && paintedBySurface(c)) {
                painted_.push_back({&c, parent, c.revision(), paintedArea(c)});
                continue;
            }
        }
        if (QWidget* w = createControlWidget(runtime_, c, parent, afterEvent_))
            views_.push_back({&c, w, c.revision()});
    }
    QWidget* previous = nullptr;
    for (Control* c : form_.tabOrder) {
        QWidget* w = widgetOf(*c);
        if (!w) continue;
        // An option button's group decides whether Tab stops at it.
        if (c->kind() != ControlKind::OptionButton) w->setFocusPolicy(Qt::StrongFocus);
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}
QWidget* FormWindow::widgetOf(const Control& control) const {
    for (const auto& v : views_)
        if (v.control == &control) return v.widget;
    return nullptr;
}

} // namespace ui::qt
