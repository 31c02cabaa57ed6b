// SPDX-License-Identifier: MIT
#pragma once

#include <initializer_list>
#include <QStringList>
#include <string_view>

namespace bench {

// Checks the command line before anything starts, so that no display is needed to ask:
// --help or -h prints `usage` and ends the program with 0; an option not in `valued` (those
// followed by a value), an option without its value, or more than `words` bare words prints the
// usage on the error stream and ends it with 2.
void checkOptions(int argc, char** argv, const char* usage,
                  std::initializer_list<std::string_view> valued, int words = 0);

// The number after `name` on the command line, or `fallback` when it is not there.
int intOption(const QStringList& args, const QString& name, int fallback);

// The word after `name` on the command line, or an empty string when it is not there.
QString wordOption(const QStringList& args, const QString& name);

} // namespace bench
