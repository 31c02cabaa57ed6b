#include "sound_player.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace ui::qt {

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::open(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) return;
    QMetaObject::invokeMethod(
        &context_, [this, path] { play(path); }, Qt::QueuedConnection);
}

void SoundPlayer::play(const QString& path) {
    // Made on first use, so a game that never hears the ELT never opens the sound device.
    if (!effect_) effect_ = std::make_unique<QSoundEffect>();
    const QUrl source = QUrl::fromLocalFile(path);
    if (effect_->source() != source) effect_->setSource(source);
    effect_->stop();
    effect_->play(); // starts once loaded when the file is still loading
}

} // namespace ui::qt
