// SPDX-License-Identifier: MIT
#pragma once

#include "sound_output.h"
#include "ui/wave_file.h"

#include <memory>
#include <optional>
#include <QBuffer>
#include <string>

class QAudioSink;
class QSoundEffect;

namespace ui::qt {

// The sound device and the sound it plays. It lives on a thread of its own: opening the
// device may wait on a sound server for as long as that server likes, and nothing else must
// wait with it. Made, used and destroyed on that thread only.
class SoundDevice : public SoundOutput {
public:
    // A sound that cannot start this long after it was asked for is not played any more: it
    // belongs to the moment it was asked for.
    static constexpr auto staleAfter = std::chrono::seconds(1);

    SoundDevice();
    ~SoundDevice() override;

    // Reads the wave file at `path` (the platform's own bytes) and plays it once from the
    // start, cutting off what plays now. A file that is refused is named on standard error,
    // once for each reason; a missing device is silent.
    void play(const std::string& path, Clock::time_point askedAt) override;

    // The loop is a sound effect of its own, apart from what `play` plays. A file that is
    // refused is named as for `play`; a missing device is silent.
    void startLoop(const std::string& path, float volume) override;
    void setLoopVolume(float volume) override;
    void stopLoop() override;

private:
    bool openFor(const WaveSound& sound);
    void report(const std::string& path, const std::string& reason);

    std::unique_ptr<QAudioSink> sink_;
    std::optional<WaveSound> sound_; // what the sink reads, through buffer_
    QBuffer buffer_{this}; // a child, so that it moves to the sound thread with the device
    std::unique_ptr<QSoundEffect> loop_; // made on the sound thread, at the first loop
    std::string lastReport_;
};

} // namespace ui::qt
