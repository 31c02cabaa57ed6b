// SPDX-License-Identifier: MIT
#include "sound_player.h"

#include "sound_device.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <QAudio>
#include <QThread>
#include <stdlib.h>
#include <thread>

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

SoundPlayer::SoundPlayer(MakeOutput makeOutput) : makeOutput_(std::move(makeOutput)) {}

SoundPlayer::~SoundPlayer() {
    if (!thread_) return;
    if (looping_) loop(*looping_, 0);
    // Ending the sound thread cuts what the device still holds: a loop stopped just now is
    // heard fading out first.
    const auto heard = loopStopped_ + SoundOutput::stopHeardWithin;
    if (const auto left = heard - SoundOutput::Clock::now(); left.count() > 0)
        std::this_thread::sleep_for(left);
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

SoundOutput& SoundPlayer::output() {
    if (!thread_) {
        thread_ = new QThread;
        thread_->setObjectName(QStringLiteral("sound"));
        output_ = makeOutput_ ? makeOutput_().release() : new SoundDevice;
        output_->moveToThread(thread_);
        QObject::connect(thread_, &QThread::finished, output_, &QObject::deleteLater);
        thread_->start();
    }
    return *output_;
}

// Runs `call` with the output on the sound thread, in the order asked.
template <typename Call>
void SoundPlayer::ask(Call call) {
    SoundOutput* out = &output();
    QMetaObject::invokeMethod(
        out, [out, call] { call(*out); }, Qt::QueuedConnection);
}

void SoundPlayer::open(const std::string& path) {
    ask([path, askedAt = SoundOutput::Clock::now()](SoundOutput& out) { out.play(path, askedAt); });
}

void SoundPlayer::loop(const std::string& path, float loudness) {
    if (loudness <= 0) {
        if (looping_) {
            ask([](SoundOutput& out) { out.stopLoop(); });
            loopStopped_ = SoundOutput::Clock::now();
        }
        looping_.reset();
        return;
    }
    // The ear hears loudness on a logarithmic scale; the device's volume is linear.
    const auto volume = static_cast<float>(QAudio::convertVolume(
        std::min(loudness, 1.0f), QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale));
    if (looping_ == path) return ask([volume](SoundOutput& out) { out.setLoopVolume(volume); });
    looping_ = path;
    ask([path, volume](SoundOutput& out) { out.startLoop(path, volume); });
}

} // namespace ui::qt
