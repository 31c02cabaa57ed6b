// SPDX-License-Identifier: MIT
#include "sound_device.h"

#include <cstdio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace ui::qt {

namespace {

QAudioFormat formatOf(const WaveSound& sound) {
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    format.setSampleFormat(sound.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

} // namespace

SoundDevice::SoundDevice() = default;

SoundDevice::~SoundDevice() {
    if (sink_) sink_->stop(); // before the samples it reads go
    loop_.reset();
}

void SoundDevice::play(const std::string& path, Clock::time_point askedAt) {
    // Asks that piled up while the device was being opened are let go.
    if (Clock::now() - askedAt > staleAfter) return;
    WaveRefusal refusal;
    std::optional<WaveSound> sound = readWaveFile(path, refusal);
    if (!sound) return report(path, refusal.reason);
    // The first opening may wait on the sound server: check the time again after it.
    if (!openFor(*sound) || Clock::now() - askedAt > staleAfter) return;

    sink_->stop();
    buffer_.close();
    sound_ = std::move(sound);
    const auto samples = sound_->samples();
    buffer_.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(samples.data()),
                                            static_cast<qsizetype>(samples.size())));
    buffer_.open(QIODevice::ReadOnly);
    sink_->start(&buffer_);
}

void SoundDevice::startLoop(const std::string& path, float volume) {
    // Read first, so that a file the sound library must not see never reaches it.
    WaveRefusal refusal;
    if (!readWaveFile(path, refusal)) return report(path, refusal.reason);
    if (QMediaDevices::defaultAudioOutput().isNull()) return;
    if (!loop_) {
        loop_ = std::make_unique<QSoundEffect>();
        loop_->setLoopCount(QSoundEffect::Infinite);
    }
    loop_->stop();
    loop_->setSource(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
    loop_->setVolume(volume);
    loop_->play();
}

void SoundDevice::setLoopVolume(float volume) {
    if (loop_) loop_->setVolume(volume);
}

void SoundDevice::stopLoop() {
    if (loop_) loop_->stop();
}

bool SoundDevice::openFor(const WaveSound& sound) {
    const QAudioFormat format = formatOf(sound);
    if (sink_ && sink_->format() == format) return true;
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) return false;
    if (sink_) {
        sink_->stop();
        buffer_.close();
        sink_.reset();
    }
    sink_ = std::make_unique<QAudioSink>(output, format);
    return true;
}

void SoundDevice::report(const std::string& path, const std::string& reason) {
    std::string line = "vantrel: the sound file " + path + " is not played: " + reason + "\n";
    if (line == lastReport_) return;
    std::fputs(line.c_str(), stderr);
    lastReport_ = std::move(line);
}

} // namespace ui::qt
