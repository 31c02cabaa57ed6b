// SPDX-License-Identifier: MIT
#pragma once

#include "sound/sound_loop.h"
#include "sound/wave_file.h"
#include "sound_output.h"

#include <memory>
#include <optional>
#include <QAudio>
#include <QBuffer>
#include <QTimer>
#include <string>

class QAudioSink;

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

    // The loop has a stream of its own, apart from what `play` plays, and turns round the
    // steady middle of the file without a seam. It starts, stops and changes its volume by
    // short fades; a stream the sound server dropped (the server went away) is opened again
    // until the server is back. A file that is refused is named as for `play`; a missing
    // device is silent.
    void startLoop(const std::string& path, float volume) override;
    void setLoopVolume(float volume) override;
    void stopLoop() override;

private:
    bool openFor(const WaveSound& sound);
    void report(const std::string& path, const std::string& reason);
    void openLoopSink();
    void loopSinkChanged(QAudio::State state);
    void restLoop();
    void closeLoopSink();

    std::unique_ptr<QAudioSink> sink_;
    std::optional<WaveSound> sound_; // what the sink reads, through buffer_
    QBuffer buffer_{this}; // a child, so that it moves to the sound thread with the device
    std::string loopPath_;
    std::optional<LoopVoice> loopVoice_;
    std::unique_ptr<QAudioSink> loopSink_;
    std::unique_ptr<QIODevice> loopStream_; // what loopSink_ reads, from loopVoice_
    QTimer loopRest_{this};  // lets the loop's stream go once its fade-out has been heard
    QTimer loopRetry_{this}; // opens the loop's stream again after the server dropped it
    std::string lastReport_;
};

} // namespace ui::qt
