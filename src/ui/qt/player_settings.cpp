// SPDX-License-Identifier: MIT
#include "player_settings.h"

namespace ui::qt {

namespace {

QSettings& store() {
    static QSettings settings(QStringLiteral("Vantrel"), QStringLiteral("Vantrel"));
    return settings;
}

} // namespace

QVariant playerSetting(const QString& key) {
    return store().value(key);
}

void keepPlayerSetting(const QString& key, const QVariant& value) {
    store().setValue(key, value);
    store().sync();
}

} // namespace ui::qt
