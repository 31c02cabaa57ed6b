// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QThread;

namespace ui::qt {

class SoundOutput;

// Plays wave files, never waiting for them: the file is read and the sound device opened on a
// thread of their own. A file that is missing, unreadable or not a sound, a machine without a
// sound device, or a sound server that never answers, leaves the game as it was and silent.
class SoundPlayer {
public:
    using MakeOutput = std::function<std::unique_ptr<SoundOutput>()>;

    // Sounds go to the sound device, or to what `makeOutput` makes at the first sound.
    explicit SoundPlayer(MakeOutput makeOutput = {});
    // Waits a moment at most for the sound thread, never for a hung server; a loop that stops
    // with the game fades out first.
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Loads the file at `path` (the platform's own bytes) and plays it from the start; a
    // second call while it plays starts it again. Returns at once.
    void open(const std::string& path);

    // Loops the file at `path` at `loudness`, a perceived loudness from 0 to 1: 0 stops it, and
    // a new loudness for the file that loops now changes its volume without restarting it.
    // Returns at once.
    void loop(const std::string& path, float loudness);

private:
    SoundOutput& output(); // started at the first sound
    template <typename Call>
    void ask(Call call);

    MakeOutput makeOutput_;
    QThread* thread_ = nullptr;
    SoundOutput* output_ = nullptr;
    std::optional<std::string> looping_;                  // the file that loops now
    std::chrono::steady_clock::time_point loopStopped_{}; // when the last loop was stopped
};

} // namespace ui::qt
