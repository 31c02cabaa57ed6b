// SPDX-License-Identifier: MIT
// The receiver's loudness as the sound thread is asked for it, from the signal strength the DF
// unit hands on: a recording stands in for the sound device, so no device is needed.
#include "instruments/signal_strength.h"
#include "sound/sound_output.h"
#include "sound/sound_player.h"

#include <cmath>
#include <gtest/gtest.h>
#include <mutex>
#include <QTest>
#include <string>
#include <vector>

namespace {

using ui::qt::SoundOutput;

// What the sound thread was asked, one line per call.
struct Asked {
    std::mutex lock;
    std::vector<std::string> calls;
    void add(std::string call) {
        std::lock_guard g(lock);
        calls.push_back(std::move(call));
    }
    std::vector<std::string> taken() {
        std::lock_guard g(lock);
        return calls;
    }
};

std::string volume(float v) {
    return std::to_string(std::lround(v * 10000)); // in ten-thousandths
}

class RecordingOutput : public SoundOutput {
public:
    explicit RecordingOutput(Asked& asked) : asked_(asked) {}
    void play(const std::string& path, Clock::time_point) override { asked_.add("play " + path); }
    void startLoop(const std::string& path, float v) override {
        asked_.add("loop " + path + " " + volume(v));
    }
    void setLoopVolume(float v) override { asked_.add("volume " + volume(v)); }
    void stopLoop() override { asked_.add("stop"); }

private:
    Asked& asked_;
};

TEST(ReceiverLoudness, theSoundThreadHearsTheStrengthAsAVolumeAndOnlyItsChanges) {
    Asked asked;
    ui::qt::SoundPlayer player([&] { return std::make_unique<RecordingOutput>(asked); });
    // Strengths as the DF unit meets them flying in from far away, then off again.
    const struct {
        float strength;
        const char* call; // what the sound thread is asked, if anything
    } steps[] = {
        {0.05f, nullptr},              // not heard: nothing starts
        {receptionThreshold, nullptr}, // the edge: still nothing
        {0.55f, "loop elt1.wav 1505"}, // half loudness: -ln(1 - 0.5) / ln(100) of the volume
        {0.82f, "volume 3495"},        // louder without starting again: 0.8 loudness
        {1, "volume 10000"},           // over the ELT: full
        {0.05f, "stop"},               // out of range
        {0.05f, nullptr},              // and it stays stopped
        {1, "loop elt1.wav 10000"},    // heard again: it starts again
    };
    std::vector<std::string> wanted;
    for (const auto& s : steps) {
        player.loop("elt1.wav", receiverLoudness(s.strength));
        if (s.call) wanted.emplace_back(s.call);
    }
    player.open("end"); // asked last, so once it arrives every call above has
    wanted.emplace_back("play end");
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked.taken().size() >= wanted.size(); }, 10000));
    EXPECT_EQ(asked.taken(), wanted);
}

} // namespace
