// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <QObject>

class QWidget;

namespace bench {

using Clock = std::chrono::steady_clock;

// Notes when a widget is first sent a paint event: the moment its window starts drawing the
// first frame in which the widget appears.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget);

    bool painted() const { return painted_; }
    Clock::time_point paintedAt() const { return paintedAt_; }
    // Runs the event loop until the paint has come; false if it has not within the time.
    bool waitForPaint(int timeoutMs = 5000);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool painted_ = false;
    Clock::time_point paintedAt_{};
};

} // namespace bench
