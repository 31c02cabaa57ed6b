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

// UTF-16 for the system; empty, which names no file, when the text is not UTF-8.
std::wstring wide(const std::string& path) {
    try {
        return systemPath(path).wstring();
    } catch (const std::exception&) {
        return {};
    }
}

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0) ::_close(fd);
    }
};

// Closes a folder's listing however the walk through it ends.
struct Listing {
    HANDLE handle;
    ~Listing() {
        if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
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

// The old file's access list passes to the new one as it takes the name (replaceFile).
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

// The file time itself, as the folder's listing gives it: the C runtime's stat goes through the
// local time zone and back, and can be an hour off around a change of summer time.
std::optional<std::int64_t> NewFile::madeAt() {
    BY_HANDLE_FILE_INFORMATION made{};
    const auto file = reinterpret_cast<HANDLE>(::_get_osfhandle(handle_));
    if (file == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(file, &made))
        return std::nullopt;
    return secondsSince1970(made.ftLastWriteTime);
}

bool NewFile::flush() {
    return ::_commit(handle_) == 0;
}

bool NewFile::close() {
    const bool closed = ::_close(handle_) == 0;
    handle_ = -1;
    return closed;
}

// rename() there refuses a name that is taken. ReplaceFile swaps the new file in, in one step,
// and gives it the old one's access list and attributes, so a private file stays private; a
// name not yet taken is moved to. A virus scanner or an indexer may hold a file just written
// for a moment: that is waited out, briefly.
bool replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = wide(from), target = wide(to);
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                         nullptr, nullptr))
            return true;
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
            error = GetLastError();
        }
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
            error != ERROR_UNABLE_TO_REMOVE_REPLACED)
            return false;
        Sleep(50 << attempt);
    }
    return false;
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
    const std::string& folder, std::string_view mark,
    const std::function<bool(const std::string& name, std::int64_t writtenAt)>& doomed) {
    const std::wstring where = wide(folder), wideMark = wide(std::string(mark));
    if (where.empty() || wideMark.empty()) return;
    WIN32_FIND_DATAW found{};
    const Listing listing{FindFirstFileW((where + L"\\*").c_str(), &found)};
    if (listing.handle == INVALID_HANDLE_VALUE) return;
    do {
        const DWORD kind = found.dwFileAttributes;
        const std::wstring name = found.cFileName;
        if (name.find(wideMark) == std::wstring::npos ||
            (kind &
             (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)))
            continue;
        std::string utf8;
        try {
            utf8 = utf8Path(std::filesystem::path(name));
        } catch (const std::exception&) {
            continue; // not a name the game could have made
        }
        if (doomed(utf8, secondsSince1970(found.ftLastWriteTime)))
            DeleteFileW((where + L"\\" + name).c_str());
    } while (FindNextFileW(listing.handle, &found));
}

} // namespace platform
