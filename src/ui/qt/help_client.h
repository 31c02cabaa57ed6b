// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <QObject>
#include <QRect>
#include <QString>

namespace ui::qt {

// Reaches the help viewer of a help file in this graphical session: sends it a command,
// starting it when none runs. The viewer is its own process, so it outlives the game unless
// told to close.
class HelpClient {
public:
    // Shown to the player when help cannot be had at all: the viewer is missing, cannot run or
    // stops at once. Called once per run; standard error hears of every failure.
    using TroubleHandler = std::function<void(const QString& message)>;

    explicit HelpClient(QString viewerProgram, TroubleHandler onTrouble = {});

    // Command 3 (contents) and 1 (topic `data`) reach the running viewer or start one, detached,
    // placed beside the game's window `beside`, its text at the game's `zoom` (percent). Command 2
    // (close) only reaches a running viewer, which closes when no other game still uses it. Returns
    // 1 when a viewer got the command or was started, else 0. Waits at most one exchange deadline,
    // and only on a viewer that does not answer; a viewer alive but silent is never doubled.
    std::int32_t call(const QString& helpFile, std::int32_t command, std::int32_t data,
                      std::optional<QRect> beside = std::nullopt, int zoom = 100);

    // Tells a running viewer of the file the game's new zoom; starts none, and brings none
    // forward.
    void tellZoom(const QString& helpFile, int zoom);

private:
    bool start(const QString& helpFile, const QByteArray& request, const QString& lockPath);
    // Follows a started viewer until it holds its lock; one that ends first has failed.
    void watchLaunch(qint64 pid, const QString& lockPath);
    void report(const QString& message);

    QString viewerProgram_;
    TroubleHandler onTrouble_;
    bool toldOnScreen_ = false;
    QObject watches_; // ends the launch watches with the client
};

} // namespace ui::qt
