// SPDX-License-Identifier: MIT
#pragma once

#include "help_client.h"
#include "sound/sound_player.h"
#include "ui/host.h"

#include <map>
#include <memory>
#include <QFont>
#include <QFontMetrics>
#include <tuple>

namespace ui::qt {

class Renderer;

// The services of a real desktop: Qt message boxes and fonts, the wall clock, the program's
// folder, and the help viewer and sound device (through the platform layers).
class QtHost : public Host {
public:
    // The program's folder is where the executable lies unless another is given.
    explicit QtHost(const QString& programFolder = {});
    ~QtHost() override;

    // The renderer whose windows own the message boxes; set once both exist.
    void setRenderer(Renderer* renderer);

    int messageBox(const std::string& prompt, int buttons, const std::string& title) override;
    double textWidth(const Font& font, std::string_view line) override;
    double lineHeight(const Font& font) override;
    FrameMargins frameMargins(const Form& form) override;
    double largestZoom(const Form& form) override;
    std::optional<std::string> setting(const std::string& key) override;
    void saveSetting(const std::string& key, const std::string& value) override;
    double clockSeconds() override;
    std::int64_t utcSeconds() override;
    // Through the logging category "vantrel.TOPIC", which QT_LOGGING_RULES can silence.
    void diagnostic(const std::string& topic, const std::string& text) override;
    std::string appPath() override;
    void endProgram() override;
    std::int32_t winHelp(std::int32_t window, const std::string& helpFile, std::int32_t command,
                         std::int32_t data) override;
    void multimediaFileName(const std::string& path) override;
    void multimediaCommand(const std::string& command, const std::string& path) override;
    void multimediaLoop(const std::string& path, float loudness) override;
    std::optional<std::string> saveFileName(const std::string& title, const std::string& suggested,
                                            const std::string& filter) override;
    bool savePicture(const Form& form, const Control& control, const std::string& path) override;

private:
    QWidget* dialogOwner() const;
    // How large the windows are drawn, 1 being their designed size.
    double zoom() const;
    // The frame around the window as the desktop draws it, in screen pixels.
    FrameMargins screenFrameMargins(const Form& form) const;
    const QFontMetrics& metrics(const Font& font);
    void sayHelpFolderUnusable(); // once a run
    void tellHelpTrouble(const QString& message);

    std::string programFolder_; // the platform's own bytes
    QString helpShown_;         // the help file whose viewer this game opened, until it closes it
    bool saidHelpFolderUnusable_ = false;
    Renderer* renderer_ = nullptr;
    SoundPlayer sound_;
    HelpClient help_;
    std::map<std::tuple<std::string, int, bool, bool>, QFontMetrics> metrics_;
};

} // namespace ui::qt
