// SPDX-License-Identifier: MIT
#include "sound_player.h"

#include "sound_device.h"

#include <cstdio>
#include <cstdlib>
#include <QThread>
#include <stdlib.h>

namespace ui::qt {

namespace {

// How long the game's end waits for the sound thread to let its device go.
constexpr int joinMs = 1000;

// The sound library's own clean-up at exit takes a lock that a thread held by the sound server
// keeps, for as long as the server likes. A program that had to let such a thread go ends
// without the libraries' clean-ups, its output written out.
void endWithoutCleanUps(int status, void*) {
    std::fflush(nullptr);
    std::_Exit(status);
}

void endQuicklyAtExit() {
    static const bool registered = ::on_exit(endWithoutCleanUps, nullptr) == 0;
    (void)registered;
}

} // namespace

SoundPlayer::SoundPlayer() = default;

SoundPlayer::~SoundPlayer() {
    if (!thread_) return;
    thread_->quit();
    if (thread_->wait(QDeadlineTimer(joinMs))) {
        delete thread_;
        return;
    }
    // Still held by the sound server: let the thread go. It ends, and is deleted, once the
    // server lets it go; the program may well be gone before then.
    QObject::connect(thread_, &QThread::finished, thread_, &QObject::deleteLater);
    endQuicklyAtExit();
}

void SoundPlayer::open(const std::string& path) {
    if (!thread_) {
        thread_ = new QThread;
        thread_->setObjectName(QStringLiteral("sound"));
        device_ = new SoundDevice;
        device_->moveToThread(thread_);
        QObject::connect(thread_, &QThread::finished, device_, &QObject::deleteLater);
        thread_->start();
    }
    QMetaObject::invokeMethod(
        device_,
        [device = device_, path, askedAt = SoundDevice::Clock::now()] {
            device->play(path, askedAt);
        },
        Qt::QueuedConnection);
}

} // namespace ui::qt
