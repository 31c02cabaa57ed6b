// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <QString>

namespace ui::qt::help {

// Where the viewer of one help file, for one user in one graphical session, listens and keeps
// its lock. Both lie in a folder only this user may enter, so no one else can take the names.
struct Channel {
    QString socketPath;
    QString lockPath;
};

// ":0.0", "unix:0" and ":0" are one display; "host:10.0" stays a display of that host.
QString normalisedDisplay(const QString& display);

// The login session and the display this process shows its windows on: two desktops of one
// user, or two displays, each get a viewer of their own.
QString sessionKey();

// Our private folder for sockets and locks: $XDG_RUNTIME_DIR/vantrel when the runtime folder
// is ours and closed to others; else vantrel-UID in $TMPDIR, then in /tmp, made 0700 and checked
// to be ours and no symlink. A folder whose socket paths would be too long, or whose name is
// not text in the platform's encoding, is passed over.
// Empty, with `problem` saying why, when none can be used.
QString privateFolder(QString* problem = nullptr);

// The channel of `helpFile` (absolute and clean) in this session.
std::optional<Channel> channelFor(const QString& helpFile, QString* problem = nullptr);

} // namespace ui::qt::help
