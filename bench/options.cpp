// SPDX-License-Identifier: MIT
#include "options.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

void checkOptions(int argc, char** argv, const char* usage,
                  std::initializer_list<std::string_view> valued, int words) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            std::exit(0);
        }
        const bool takesValue = std::find(valued.begin(), valued.end(), arg) != valued.end();
        if (takesValue && i + 1 < argc) {
            ++i;
            continue;
        }
        if (!takesValue && !arg.starts_with('-') && words-- > 0) continue;
        std::fprintf(stderr, "%s: %s %s\n%s", argv[0], takesValue ? "no value after" : "unknown",
                     argv[i], usage);
        std::exit(2);
    }
}

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
