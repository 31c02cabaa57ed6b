#pragma once

#include <memory>
#include <QObject>
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
    // The sound device is opened once the event being handled is over, so that a tone asked for
    // while the game starts does not hold up its first frame.
    void open(const QString& path);

private:
    void play(const QString& path);

    QObject context_; // ends the queued calls with the player
    std::unique_ptr<QSoundEffect> effect_;
};

} // namespace ui::qt
