// SPDX-License-Identifier: MIT
#include "program_folder.h"

#include <climits>
#include <QCoreApplication>
#include <QFile>
#include <unistd.h>

namespace ui::qt {

std::string executableFolder() {
    // Qt's own answer goes through UTF-8 and is empty for any other name, so the link is read
    // here as bytes.
    char target[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", target, sizeof target);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof target) {
        const std::string exe(target, static_cast<std::size_t>(n));
        const auto slash = exe.rfind('/');
        if (slash != std::string::npos) return slash == 0 ? "/" : exe.substr(0, slash);
    }
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

std::optional<QString> qtFileName(const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) != bytes) return std::nullopt;
    return name;
}

} // namespace ui::qt
