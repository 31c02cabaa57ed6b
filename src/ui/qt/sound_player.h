// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class QThread;

namespace ui::qt {

class SoundDevice;

// Plays a wave file once from its start, never waiting for it: the file is read and the sound
// device opened on a thread of their own. A file that is missing, unreadable or not a sound,
// a machine without a sound device, or a sound server that never answers, leaves the game as
// it was and silent.
class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer(); // waits a moment at most for the sound thread, never for a hung server
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Loads the file at `path` (the platform's own bytes) and plays it from the start; a
    // second call while it plays starts it again. Returns at once.
    void open(const std::string& path);

private:
    QThread* thread_ = nullptr; // started at the first sound
    SoundDevice* device_ = nullptr;
};

} // namespace ui::qt
