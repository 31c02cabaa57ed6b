// SPDX-License-Identifier: MIT
#include "storage/set_aside.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace storage {

namespace {

const char* const companions[] = {"-wal", "-shm"};

bool anyTaken(const QString& name) {
    if (QFileInfo::exists(name)) return true;
    for (const char* suffix : companions) {
        if (QFileInfo::exists(name + suffix)) return true;
    }
    return false;
}

} // namespace

QString freeSetAsidePath(const QString& path, const QDateTime& when) {
    const QString stem =
        path + ".damaged-" + when.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QString name = stem;
    for (int n = 2; anyTaken(name); ++n)
        name = stem + '-' + QString::number(n);
    return name;
}

QString setAside(const QString& path, const QDateTime& when) {
    const QString name = freeSetAsidePath(path, when);
    // QFile::rename never replaces an existing file, so a name taken in the meantime fails
    // the move instead of losing what is there.
    if (!QFile::rename(path, name)) return {};
    // A write-ahead log left behind would be read into the fresh logbook started at `path`, so
    // the file moves only together with its companions.
    QStringList moved;
    for (const char* suffix : companions) {
        if (!QFileInfo::exists(path + suffix)) continue;
        if (!QFile::rename(path + suffix, name + suffix)) {
            for (const QString& companion : moved)
                QFile::rename(name + companion, path + companion);
            QFile::rename(name, path);
            return {};
        }
        moved << suffix;
    }
    return name;
}

} // namespace storage
