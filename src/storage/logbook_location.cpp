// SPDX-License-Identifier: MIT
#include "logbook_location.h"

#include <QDir>
#include <QStandardPaths>

namespace storage {

std::string defaultLogbookPath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(folder).filePath(QStringLiteral("logbook.sqlite")).toStdString();
}

} // namespace storage
