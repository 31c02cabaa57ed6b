#pragma once

#include <memory>
#include <QString>

class QSoundEffect;

namespace ui::qt {

// Plays a wave file once from its start, never waiting for it. A file that is missing or
// cannot be read, or a machine without a sound device, leaves everything as it was.
class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer();

    // Loads the file and plays it from the start; a second call while it plays starts it again.
    void open(const QString& path);

private:
    std::unique_ptr<QSoundEffect> effect_;
};

} // namespace ui::qt
