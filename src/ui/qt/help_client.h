#pragma once

#include <cstdint>
#include <QString>

namespace ui::qt {

// Reaches the help viewer for a help file: sends it a command, starting it when none runs.
// The viewer is its own process, so it outlives the game unless told to close.
class HelpClient {
public:
    explicit HelpClient(QString viewerProgram); // full path of vantrel-help

    // Command 3 (contents) and 1 (topic `data`) reach the running viewer or start one, detached,
    // with the command as its arguments. Command 2 (close) only reaches a running viewer; with
    // none it does nothing. Returns 1 when a viewer got the command or was started, else 0.
    // Waits at most about 1.5 s, and only on a viewer that is hung.
    std::int32_t call(const QString& helpFile, std::int32_t command, std::int32_t data);

private:
    bool start(const QString& helpFile, std::int32_t command, std::int32_t data);

    QString viewerProgram_;
};

} // namespace ui::qt
