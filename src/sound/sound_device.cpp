// SPDX-License-Identifier: MIT
#include "sound_device.h"

#include <cstdio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace ui::qt {

namespace {

// The loop as the device reads it: as many frames as it asks for, silence while the loop is
// silent, so the stream never runs dry. Unbuffered, so that the device reads no further ahead
// than it plays.
class LoopStream : public QIODevice {
public:
    explicit LoopStream(LoopVoice& voice) : voice_(voice) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 size) override {
        const qint64 frameBytes = 2 * qint64(voice_.loop().channels);
        const qint64 frames = size / frameBytes;
        voice_.render(reinterpret_cast<std::int16_t*>(data), std::size_t(frames));
        return frames * frameBytes;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    LoopVoice& voice_;
};

// The loop's stream holds this much ahead of what is heard: a start, a stop or a new volume is
// heard at most this late, and a busy machine may keep the sound thread waiting this long
// before the stream runs dry.
constexpr double loopAheadSeconds = 0.25;
// A stopped loop's stream is let go once its fade-out has surely been heard.
constexpr int loopRestMs = 600;
// How often a loop whose stream the sound server dropped tries again.
constexpr int loopRetryMs = 1000;

QAudioFormat formatOf(const WaveSound& sound) {
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    format.setSampleFormat(sound.bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

} // namespace

SoundDevice::SoundDevice() {
    loopRest_.setSingleShot(true);
    loopRest_.setInterval(loopRestMs);
    connect(&loopRest_, &QTimer::timeout, this, [this] { restLoop(); });
    loopRetry_.setSingleShot(true);
    loopRetry_.setInterval(loopRetryMs);
    connect(&loopRetry_, &QTimer::timeout, this, [this] { openLoopSink(); });
}

SoundDevice::~SoundDevice() {
    if (sink_) sink_->stop(); // before the samples it reads go
    closeLoopSink();
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
    if (path != loopPath_ || !loopVoice_) {
        WaveRefusal refusal;
        std::optional<WaveSound> sound = readWaveFile(path, refusal);
        if (!sound) return report(path, refusal.reason);
        closeLoopSink();
        loopVoice_.emplace(makeSoundLoop(*sound));
        loopPath_ = path;
    }
    loopRest_.stop();
    loopVoice_->fadeTo(volume);
    openLoopSink();
}

void SoundDevice::setLoopVolume(float volume) {
    if (loopVoice_) loopVoice_->fadeTo(volume);
}

void SoundDevice::stopLoop() {
    if (!loopVoice_) return;
    loopVoice_->fadeTo(0);
    loopRetry_.stop();
    loopRest_.start();
}

// Opens the loop's stream unless it plays already. The stream is read on through a fade,
// so a start soon after a stop meets the wave where it is.
void SoundDevice::openLoopSink() {
    if (loopSink_ && loopSink_->state() != QAudio::StoppedState) return;
    closeLoopSink();
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) return loopRetry_.start();
    const SoundLoop& loop = loopVoice_->loop();
    QAudioFormat format;
    format.setSampleRate(loop.sampleRate);
    format.setChannelCount(loop.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    loopSink_ = std::make_unique<QAudioSink>(output, format);
    loopSink_->setBufferSize(qsizetype(loopAheadSeconds * loop.sampleRate) * 2 * loop.channels);
    // Whatever the device held is gone: the loop fades up from silence again.
    loopVoice_->fromSilence();
    loopStream_ = std::make_unique<LoopStream>(*loopVoice_);
    loopSink_->start(loopStream_.get());
    if (loopSink_->state() == QAudio::StoppedState) return loopRetry_.start();
    connect(loopSink_.get(), &QAudioSink::stateChanged, this,
            [this](QAudio::State state) { loopSinkChanged(state); });
}

// A stream that stops unasked was dropped by the sound server: it is opened again, for as long as
// the loop is wanted.
void SoundDevice::loopSinkChanged(QAudio::State state) {
    if (state == QAudio::StoppedState && !loopVoice_->silent()) loopRetry_.start();
}

void SoundDevice::restLoop() {
    if (loopVoice_ && loopVoice_->silent()) closeLoopSink();
}

void SoundDevice::closeLoopSink() {
    if (loopSink_) {
        loopSink_->disconnect(this);
        loopSink_->stop();
        loopSink_.reset();
    }
    loopStream_.reset();
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
