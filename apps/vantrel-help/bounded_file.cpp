// SPDX-License-Identifier: MIT
#include "bounded_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel_help {

namespace {

QString systemError() {
    return QString::fromLocal8Bit(::strerror(errno));
}

} // namespace

FileContents readRegularFile(const QString& path, qint64 limit) {
    // Not blocking on open: a FIFO with no writer would hold us here.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return {{}, systemError()};
    FileContents result;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.problem = systemError();
    } else if (!S_ISREG(st.st_mode)) {
        result.problem = QStringLiteral("it is not a regular file");
    } else if (st.st_size > limit) {
        result.tooLarge = true;
    } else {
        // One byte more than its size tells a file that grew while we read it.
        result.bytes.resize(qsizetype(st.st_size) + 1);
        qsizetype have = 0;
        while (have < result.bytes.size()) {
            const ssize_t got =
                ::read(fd, result.bytes.data() + have, size_t(result.bytes.size() - have));
            if (got == 0) break;
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) {
                result.problem = systemError();
                break;
            }
            have += got;
        }
        if (have > st.st_size) result.problem = QStringLiteral("it changed while it was read");
        result.bytes.resize(have);
    }
    ::close(fd);
    if (result.tooLarge) {
        result.bytes.clear();
        result.problem = QStringLiteral("it is larger than %1 MB, the most the viewer shows")
                             .arg(limit / (1024 * 1024));
    }
    if (!result.problem.isEmpty()) result.bytes.clear();
    return result;
}

} // namespace vantrel_help
