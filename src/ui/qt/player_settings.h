// SPDX-License-Identifier: MIT
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

namespace ui::qt {

// The player's choices kept between runs: on Linux ~/.config/Vantrel/Vantrel.conf, or under
// $XDG_CONFIG_HOME. A value is on the disk as soon as it is kept, since the program ends
// without the libraries' clean-ups.
QVariant playerSetting(const QString& key);
void keepPlayerSetting(const QString& key, const QVariant& value);

} // namespace ui::qt
