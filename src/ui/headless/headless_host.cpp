// SPDX-License-Identifier: MIT
#include "headless_host.h"

#include "arial_metrics.h"
#include "transcript.h"
#include "ui/form.h"
#include "ui/zoom.h"

#include <cmath>
#include <iostream>

namespace ui::headless {

void HeadlessHost::setClock(double seconds) {
    clock_ = std::fmod(seconds, 86400.0);
    if (clock_ < 0) clock_ += 86400.0;
}

std::int64_t HeadlessHost::utcSeconds() {
    constexpr std::int64_t kScenarioDay = 1767225600; // 2026-01-01T00:00:00Z
    return kScenarioDay + static_cast<std::int64_t>(std::floor(clock_));
}

void HeadlessHost::diagnostic(const std::string& topic, const std::string& text) {
    std::cerr << "vantrel: " << topic << ' ' << text << '\n';
}

int HeadlessHost::messageBox(const std::string& prompt, int buttons, const std::string& title) {
    out_ << "msgbox title=" << quoted(title) << " buttons=" << buttons << " text=" << quoted(prompt)
         << '\n';
    // The low bits choose the buttons; a box with OK alone can only be answered OK.
    if ((buttons & 0xf) == msgbox::okOnly || answers_.empty()) return msgbox::ok;
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

bool HeadlessHost::savePicture(const Form& form, const Control& control, const std::string& path) {
    out_ << "savepicture " << form.name() << '.' << control.name() << " path=" << quoted(path)
         << '\n';
    return true;
}

double HeadlessHost::textWidth(const Font& font, std::string_view line) {
    return arialTextWidth(font, line);
}

double HeadlessHost::lineHeight(const Font& font) {
    return arialLineHeight(font);
}

FrameMargins HeadlessHost::frameMargins(const Form& form) {
    return usualFrameMargins(form.style());
}

// The host's screen is a 3840 by 2160 display, on which every level of the View menu fits.
double HeadlessHost::largestZoom(const Form& form) {
    return largestZoomFor({form.pixelWidth(), form.pixelHeight()}, frameMargins(form),
                          {screenWidth_, screenHeight_});
}

std::optional<std::string> HeadlessHost::setting(const std::string& key) {
    const auto it = settings_.find(key);
    return it == settings_.end() ? std::nullopt : std::optional(it->second);
}

std::optional<float> HeadlessHost::scriptedRandom() {
    if (randoms_.empty()) return std::nullopt;
    const float r = randoms_.front();
    randoms_.pop_front();
    return r;
}

void HeadlessHost::endProgram() {
    if (ended_) return;
    ended_ = true;
    out_ << "ended\n";
}

std::int32_t HeadlessHost::winHelp(std::int32_t, const std::string& helpFile, std::int32_t command,
                                   std::int32_t data) {
    out_ << "winhelp command=" << command << " data=" << data << " file=" << quoted(helpFile)
         << '\n';
    return 1;
}

void HeadlessHost::multimediaFileName(const std::string& path) {
    out_ << "mci FileName=" << quoted(path) << '\n';
}

void HeadlessHost::multimediaCommand(const std::string& command, const std::string&) {
    out_ << "mci Command=" << quoted(command) << '\n';
}

void HeadlessHost::multimediaLoop(const std::string&, float loudness) {
    out_ << "receiver volume=" << number(loudness) << '\n';
}

std::optional<std::string> HeadlessHost::saveFileName(const std::string& title,
                                                      const std::string& suggested,
                                                      const std::string&) {
    std::optional<std::string> answer;
    if (!saveFiles_.empty()) {
        answer = saveFiles_.front();
        saveFiles_.pop_front();
    }
    out_ << "savefile title=" << quoted(title) << " suggested=" << quoted(suggested)
         << " answer=" << (answer ? quoted(*answer) : "none") << '\n';
    return answer;
}

} // namespace ui::headless
