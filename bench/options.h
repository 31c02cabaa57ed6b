// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

namespace bench {

// The number after `name` on the command line, or `fallback` when it is not there.
int intOption(const QStringList& args, const QString& name, int fallback);

// The word after `name` on the command line, or an empty string when it is not there.
QString wordOption(const QStringList& args, const QString& name);

} // namespace bench
