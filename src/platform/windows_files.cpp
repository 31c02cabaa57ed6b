// SPDX-License-Identifier: MIT
// The files and processes of Windows, where a path is handed to the system in UTF-16: the
// narrow calls would read it in the ANSI code page and miss any name outside it.
#include "files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

namespace platform {

namespace {

std::wstring wide(const std::string& path) {
    return systemPath(path).wstring();
}

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::_close(fd);
    }
};

// Seconds since 1970 from a file time, which counts tenths of microseconds since 1601.
std::int64_t secondsSince1970(const FILETIME& time) {
    const std::uint64_t ticks = (std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10'000'000) - 11'644'473'600;
}

} // namespace

std::optional<std::vector<std::uint8_t>>
readPlainFile(const std::string& path, std::uintmax_t maxBytes, std::string& problem) {
    // Binary: in text mode the reading would end at the first byte 0x1A.
    const Descriptor file{::_wopen(wide(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT)};
    struct _stat64 info {};
    if (file.fd < 0 || ::_fstat64(file.fd, &info) != 0) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    if ((info.st_mode & _S_IFMT) != _S_IFREG) {
        problem = "not a regular file";
        return std::nullopt;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        problem = "larger than " + std::to_string(maxBytes) + " bytes";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const int n = ::_read(file.fd, bytes.data() + got, unsigned(bytes.size() - got));
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
    if (handle_ >= 0) ::_close(handle_);
}

bool NewFile::create(const std::string& path, bool& taken) {
    handle_ =
        ::_wopen(wide(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                 _S_IREAD | _S_IWRITE);
    taken = handle_ < 0 && errno == EEXIST;
    return handle_ >= 0;
}

// A file's permissions there are its folder's access list, which the new file already has.
bool NewFile::copyPermissionsOf(const std::string&) {
    return true;
}

bool NewFile::write(std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const int n = ::_write(handle_, bytes.data() + done, unsigned(bytes.size() - done));
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::int64_t> NewFile::madeAt() {
    struct _stat64 made {};
    if (::_fstat64(handle_, &made) != 0) return std::nullopt;
    return made.st_mtime;
}

bool NewFile::finish() {
    const bool synced = ::_commit(handle_) == 0;
    const bool closed = ::_close(handle_) == 0;
    handle_ = -1;
    return synced && closed;
}

// rename() there refuses a name that is taken; MoveFileEx replaces it in one step.
bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool removeFile(const std::string& path) {
    return DeleteFileW(wide(path).c_str()) != 0;
}

long processId() {
    return static_cast<long>(GetCurrentProcessId());
}

bool processEnded(long id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Files in a folder of the user's are the user's: its access list says who else may touch them.
void removeOwnFilesWhere(
    const std::string& folder,
    const std::function<bool(const std::string& name, std::int64_t writtenAt)>& doomed) {
    WIN32_FIND_DATAW found{};
    const std::wstring where = wide(folder);
    HANDLE listing = FindFirstFileW((where + L"\\*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return;
    do {
        const DWORD kind = found.dwFileAttributes;
        if (kind &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE))
            continue;
        const std::string name = utf8Path(std::filesystem::path(found.cFileName));
        if (doomed(name, secondsSince1970(found.ftLastWriteTime)))
            DeleteFileW((where + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
}

} // namespace platform
