// SPDX-License-Identifier: MIT
#pragma once

#include "font.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

class Control;
class Form;

// Button and icon codes of a message box, and its results.
namespace msgbox {
inline constexpr int okOnly = 0;
inline constexpr int okCancel = 1;
inline constexpr int retryCancel = 5;
inline constexpr int information = 64;
// Added to the buttons: the second button is the default, as for a question whose first
// answer cannot be undone, so that a hasty Enter leaves things as they were.
inline constexpr int defaultSecond = 256;
inline constexpr int ok = 1;
inline constexpr int cancel = 2;
inline constexpr int retry = 4;
} // namespace msgbox

// Space taken by a window's border, title bar and menu bar, in pixels.
struct FrameMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The services the forms need from the platform they run on: the Qt host for the real game,
// the headless host for tests and scenarios.
class Host {
public:
    virtual ~Host() = default;

    // Shows a modal message box and waits for the user; returns the button chosen: msgbox::ok,
    // msgbox::cancel or msgbox::retry.
    virtual int messageBox(const std::string& prompt, int buttons, const std::string& title) = 0;

    // Width of one line of text and the height of one line, in pixels.
    virtual double textWidth(const Font& font, std::string_view line) = 0;
    virtual double lineHeight(const Font& font) = 0;

    virtual FrameMargins frameMargins(const Form& form) = 0;

    // Seconds since midnight, with a fraction.
    virtual double clockSeconds() = 0;
    // The date and time as whole seconds since 1970 in UTC: what records are stamped with.
    virtual std::int64_t utcSeconds() = 0;

    // Tells a developer, not the player, what went wrong in a part of the program (`topic`,
    // such as "logbook"); the game goes on.
    virtual void diagnostic(const std::string& topic, const std::string& text) = 0;

    // A number the next draw of the random generator must give, when the host dictates one.
    virtual std::optional<float> scriptedRandom() { return std::nullopt; }

    // The folder the program was started from, without a trailing separator unless it is a root.
    virtual std::string appPath() = 0;

    // Every window is closed and the process is to end; no handler runs afterwards.
    virtual void endProgram() = 0;

    // The help viewer, told one of the commands of ui/help_commands.h.
    virtual std::int32_t winHelp(std::int32_t window, const std::string& helpFile,
                                 std::int32_t command, std::int32_t data) = 0;

    // The multimedia control's two settings, in the order the program makes them.
    virtual void multimediaFileName(const std::string& path) = 0;
    virtual void multimediaCommand(const std::string& command, const std::string& path) = 0;
    // Loops the sound file at `path` at a perceived loudness from 0 to 1; 0 stops it. Only
    // changes are passed on: a new loudness for the same file goes on playing, not restarting.
    virtual void multimediaLoop(const std::string& path, float loudness) = 0;

    // The largest zoom (1 = the designed size) at which the window, frame and all, fits the
    // free area of the screen it is on.
    virtual double largestZoom(const Form& form) = 0;

    // The player's settings kept between runs, by key; nothing when the key was never saved.
    virtual std::optional<std::string> setting(const std::string& /*key*/) { return std::nullopt; }
    virtual void saveSetting(const std::string& /*key*/, const std::string& /*value*/) {}

    // Asks the user where to save a file, suggesting a name; nothing when they cancel. The
    // filter names the kind of file: "CSV files (*.csv)".
    virtual std::optional<std::string> saveFileName(const std::string& /*title*/,
                                                    const std::string& /*suggested*/,
                                                    const std::string& /*filter*/) {
        return std::nullopt;
    }

    // Saves what a control of a window shows, as the screen would, to a PNG file at `path`,
    // whole or not at all. False when it could not.
    virtual bool savePicture(const Form& /*form*/, const Control& /*control*/,
                             const std::string& /*path*/) {
        return false;
    }
};

} // namespace ui
