// SPDX-License-Identifier: MIT
#include "program_folder.h"

#include <QCoreApplication>
#include <QFile>
#ifdef Q_OS_LINUX
#include <climits>
#include <unistd.h>
#endif

namespace ui::qt {

namespace {

QString qtName(const std::string& path) {
#ifdef Q_OS_WIN
    return QString::fromStdString(path);
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

} // namespace

std::string executableFolder() {
#ifdef Q_OS_LINUX
    // Qt's own answer goes through UTF-8 and is empty for any other name, so the link is read
    // here as bytes.
    char target[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", target, sizeof target);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof target) {
        const std::string exe(target, static_cast<std::size_t>(n));
        const auto slash = exe.rfind('/');
        if (slash != std::string::npos) return slash == 0 ? "/" : exe.substr(0, slash);
    }
#endif
    return gamePath(QCoreApplication::applicationDirPath());
}

std::string gamePath(const QString& name) {
#ifdef Q_OS_WIN
    return name.toStdString();
#else
    return QFile::encodeName(name).toStdString();
#endif
}

std::optional<QString> qtFileName(const std::string& path) {
    QString name = qtName(path);
    if (gamePath(name) != path) return std::nullopt;
    return name;
}

QString helpViewerIn(const std::string& programFolder) {
#ifdef Q_OS_WIN
    return qtName(programFolder + "/vantrel-help.exe");
#else
    return qtName(programFolder + "/vantrel-help");
#endif
}

} // namespace ui::qt
