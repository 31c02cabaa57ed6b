// SPDX-License-Identifier: MIT
#include "options.h"

namespace bench {

int intOption(const QStringList& args, const QString& name, int fallback) {
    const QString word = wordOption(args, name);
    bool ok = false;
    const int value = word.toInt(&ok);
    return ok ? value : fallback;
}

QString wordOption(const QStringList& args, const QString& name) {
    const auto at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args[at + 1] : QString();
}

} // namespace bench
