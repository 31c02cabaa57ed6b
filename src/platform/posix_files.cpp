// SPDX-License-Identifier: MIT
// The files and processes of a POSIX system, where a path is the bytes the game holds.
#include "files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Closes the file however the reading ends.
struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

std::optional<std::vector<std::uint8_t>>
readPlainFile(const std::string& path, std::uintmax_t maxBytes, std::string& problem) {
    // Not blocking, so that a pipe or device at the name cannot hold the reader.
    const Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        problem = "not a regular file";
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        problem = "larger than " + std::to_string(maxBytes) + " bytes";
        return std::nullopt;
    }
    // Only the size seen above is read, however the file grows meanwhile.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            problem = std::strerror(errno);
            return std::nullopt;
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

NewFile::~NewFile() {
    if (handle_ >= 0) ::close(handle_);
}

bool NewFile::create(const std::string& path, bool& taken) {
    // A new file of its own, never someone's, made with the mode the user's umask gives.
    handle_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    taken = handle_ < 0 && errno == EEXIST;
    return handle_ >= 0;
}

bool NewFile::copyPermissionsOf(const std::string& path) {
    struct stat old {};
    return ::stat(path.c_str(), &old) != 0 || fchmod(handle_, old.st_mode & 0777) == 0;
}

bool NewFile::write(std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(handle_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::int64_t> NewFile::madeAt() {
    struct stat made {};
    if (fstat(handle_, &made) != 0) return std::nullopt;
    return made.st_mtime;
}

bool NewFile::flush() {
    return fsync(handle_) == 0;
}

bool NewFile::close() {
    const bool closed = ::close(handle_) == 0;
    handle_ = -1;
    return closed;
}

bool replaceFile(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& path) {
    return std::remove(path.c_str()) == 0;
}

long processId() {
    return ::getpid();
}

bool processEnded(long id) {
    return ::kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

void removeOwnFilesWhere(
    const std::string& folder, std::string_view mark,
    const std::function<bool(const std::string& name, std::int64_t writtenAt)>& doomed) {
    DIR* listing = ::opendir(folder.c_str());
    if (!listing) return;
    while (const dirent* entry = ::readdir(listing)) {
        struct stat file {};
        if (std::string_view(entry->d_name).find(mark) == std::string_view::npos ||
            ::fstatat(::dirfd(listing), entry->d_name, &file, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(file.st_mode) || file.st_uid != ::geteuid())
            continue;
        if (doomed(entry->d_name, file.st_mtime)) ::unlinkat(::dirfd(listing), entry->d_name, 0);
    }
    ::closedir(listing);
}

} // namespace platform
