// SPDX-License-Identifier: MIT
#pragma once

// How the game and the help viewer (vantrel-help) talk: one text line each way on the help
// file's channel. Header-only so that both sides build it without a library.

#include "ui/help_commands.h"

#include <cstdint>
#include <optional>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QRect>

namespace ui::qt::help {

using ui::help::kClose;
using ui::help::kContents;
using ui::help::kTopic;

// A request or a reply is a few dozen bytes: anything longer without a line end is not ours.
inline constexpr qsizetype kLongestLine = 128;

// The same file named two ways must reach the same viewer.
inline QString absoluteHelpFile(const QString& helpFile) {
    return QDir::cleanPath(QFileInfo(helpFile).absoluteFilePath());
}

struct Request {
    bool status = false; // asks only which process serves
    std::int32_t command = 0;
    std::int32_t data = 0;
    qint64 game = 0;             // the asking game's process id; 0 when not a game
    std::optional<QRect> beside; // the game's window on screen, to open the viewer beside it
    int zoom = 100;              // the game's zoom in percent, which the help text follows
    bool zoomOnly = false;       // the game's zoom changed: a viewer that runs follows it only
};

// The zooms a game may be drawn at; anything else is not ours.
inline constexpr int kSmallestZoom = 25;
inline constexpr int kLargestZoom = 400;

inline bool isKnownCommand(std::int32_t command) {
    return command == kContents || command == kTopic || command == kClose;
}

// "COMMAND DATA GAME [X Y WIDTH HEIGHT [ZOOM]]": also the viewer's command-line arguments
// after the help file. A game without a window on screen sends a width and height of 0.
inline QByteArray commandRequest(const Request& r) {
    QByteArray line = QByteArray::number(r.command) + ' ' + QByteArray::number(r.data) + ' ' +
                      QByteArray::number(r.game);
    if (r.beside || r.zoom != 100) {
        const QRect at = r.beside.value_or(QRect());
        for (const int v : {at.x(), at.y(), at.width(), at.height(), r.zoom})
            line += ' ' + QByteArray::number(v);
    }
    return line + '\n';
}

// "zoom PERCENT GAME": never starts a viewer, nor brings one forward.
inline QByteArray zoomRequest(int zoom, qint64 game) {
    return "zoom " + QByteArray::number(zoom) + ' ' + QByteArray::number(game) + '\n';
}

inline QByteArray statusRequest() {
    return "status\n";
}

inline std::optional<Request> parseRequest(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (text == "status") return Request{true, 0, 0, 0, std::nullopt};
    const QList<QByteArray> parts = text.split(' ');
    if (parts.size() == 3 && parts[0] == "zoom") {
        bool zoomRead = false, gameRead = false;
        const int zoom = parts[1].toInt(&zoomRead);
        const qint64 game = parts[2].toInt(&gameRead);
        if (!zoomRead || !gameRead || game < 0 || zoom < kSmallestZoom || zoom > kLargestZoom)
            return std::nullopt;
        return Request{false, 0, 0, game, std::nullopt, zoom, true};
    }
    if (parts.size() != 2 && parts.size() != 3 && parts.size() != 7 && parts.size() != 8)
        return std::nullopt;
    QList<qint64> numbers;
    for (const QByteArray& part : parts) {
        bool ok = false;
        numbers.append(part.toInt(&ok));
        if (!ok) return std::nullopt;
    }
    Request r{false, std::int32_t(numbers[0]), std::int32_t(numbers[1]), 0, std::nullopt};
    if (numbers.size() > 2) r.game = numbers[2];
    if (numbers.size() >= 7 && numbers[5] > 0 && numbers[6] > 0)
        r.beside = QRect(int(numbers[3]), int(numbers[4]), int(numbers[5]), int(numbers[6]));
    if (numbers.size() == 8) r.zoom = int(numbers[7]);
    if (!isKnownCommand(r.command) || r.game < 0 || r.zoom < kSmallestZoom || r.zoom > kLargestZoom)
        return std::nullopt;
    return r;
}

inline QByteArray okReply(qint64 pid) {
    return "ok " + QByteArray::number(pid) + '\n';
}

inline QByteArray errorReply() {
    return "error\n";
}

inline std::optional<qint64> parseOkReply(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (!text.startsWith("ok ")) return std::nullopt;
    bool ok = false;
    const qint64 pid = text.mid(3).toLongLong(&ok);
    if (!ok || pid <= 0) return std::nullopt;
    return pid;
}

} // namespace ui::qt::help
