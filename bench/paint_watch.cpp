// SPDX-License-Identifier: MIT
#include "paint_watch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace bench {

PaintWatch::PaintWatch(QWidget* widget) {
    widget->installEventFilter(this);
}

bool PaintWatch::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint && !painted_) {
        paintedAt_ = Clock::now();
        painted_ = true;
    }
    return false;
}

bool PaintWatch::waitForPaint(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!painted_ && Clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return painted_;
}

} // namespace bench
