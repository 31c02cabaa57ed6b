// SPDX-License-Identifier: MIT
#pragma once

#include "ui/host.h"

#include <deque>
#include <map>
#include <ostream>
#include <string>

namespace ui::headless {

// A host without a display: it records what the program shows on a transcript, answers message
// boxes from a queue, and keeps a clock and random numbers that a test sets.
class HeadlessHost : public Host {
public:
    explicit HeadlessHost(std::ostream& transcript) : out_(transcript) {}

    // The clock runs from 0 to 86400 and wraps at midnight, as a real clock does.
    void setClock(double seconds);
    void advanceClock(double seconds) { setClock(clock_ + seconds); }
    void queueRandom(float r) { randoms_.push_back(r); }
    void queueAnswer(int answer) { answers_.push_back(answer); }
    std::size_t pendingAnswers() const { return answers_.size(); }
    // The file names the next save dialogs give; an empty queue cancels them.
    void queueSaveFile(std::string path) { saveFiles_.push_back(std::move(path)); }
    std::size_t pendingSaveFiles() const { return saveFiles_.size(); }
    void setAppPath(std::string path) { appPath_ = std::move(path); }
    // The screen the window is on, in pixels: it decides which zoom levels fit.
    void setScreen(double width, double height) { screenWidth_ = width, screenHeight_ = height; }
    // Settings live as long as this host, so a run never sees the player's own.
    std::optional<std::string> setting(const std::string& key) override;
    void saveSetting(const std::string& key, const std::string& value) override {
        settings_[key] = value;
    }
    bool ended() const { return ended_; }

    int messageBox(const std::string& prompt, int buttons, const std::string& title) override;
    double textWidth(const Font& font, std::string_view line) override;
    double lineHeight(const Font& font) override;
    FrameMargins frameMargins(const Form& form) override;
    double largestZoom(const Form& form) override;
    double clockSeconds() override { return clock_; }
    // The scenario's clock on a day of its own, so that what is stamped with it is the same
    // in every run.
    std::int64_t utcSeconds() override;
    // On standard error, where a scenario's reader sees it beside the transcript.
    void diagnostic(const std::string& topic, const std::string& text) override;
    std::optional<float> scriptedRandom() override;
    std::string appPath() override { return appPath_; }
    void endProgram() override;
    std::int32_t winHelp(std::int32_t window, const std::string& helpFile, std::int32_t command,
                         std::int32_t data) override;
    void multimediaFileName(const std::string& path) override;
    void multimediaCommand(const std::string& command, const std::string& path) override;
    void multimediaLoop(const std::string& path, float loudness) override;
    std::optional<std::string> saveFileName(const std::string& title, const std::string& suggested,
                                            const std::string& filter) override;
    // Writes no file: the transcript says what would have been saved where.
    bool savePicture(const Form& form, const Control& control, const std::string& path) override;

private:
    std::ostream& out_;
    double clock_ = 43200;
    std::deque<float> randoms_;
    std::deque<int> answers_;
    std::deque<std::string> saveFiles_;
    std::string appPath_ = "/opt/vantrel";
    double screenWidth_ = 3840, screenHeight_ = 2160;
    std::map<std::string, std::string> settings_;
    bool ended_ = false;
};

} // namespace ui::headless
