// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the game asks of the system's files and processes, in the same words on Linux and on
// Windows. Paths are UTF-8 text, as the game holds them; each system is handed them in its own
// form, so a folder named "Zoë" is found on both.
namespace platform {

// A path as the system names it, from the UTF-8 the game holds, and back.
std::filesystem::path systemPath(std::string_view utf8);
std::string utf8Path(const std::filesystem::path& path);

// The whole of the plain file at `path` when it holds at most `maxBytes`: its bytes as they
// are, never read as text. Nothing, and the reason in words, when it cannot be read. A pipe or
// a device at the name never holds the reader.
std::optional<std::vector<std::uint8_t>>
readPlainFile(const std::string& path, std::uintmax_t maxBytes, std::string& problem);

// A file written whole. `create` makes a new file of its own at the path, never one that was
// there, with the permissions a new file of the user's gets; it fails when the name is taken,
// and `taken` says so.
class NewFile {
public:
    NewFile() = default;
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool create(const std::string& path, bool& taken);
    // Gives it the permissions of the file at `path`, when there is one.
    bool copyPermissionsOf(const std::string& path);
    bool write(std::string_view bytes);
    // When it was made, in seconds since 1970 on the clock of its folder's file system.
    std::optional<std::int64_t> madeAt();
    // Writes what it holds through to the disk.
    bool flush();
    bool close();

private:
    int handle_ = -1;
};

// The file `from` takes the name `to`, in one step: a file of that name is replaced whole, and
// stays as it was if this fails.
bool replaceFile(const std::string& from, const std::string& to);
bool removeFile(const std::string& path);

// This process's number, and whether the process of that number has ended.
long processId();
bool processEnded(long id);

// Removes from `folder` each plain file of this user's whose name holds `mark` and for which
// `doomed(name, writtenAt)` holds, `writtenAt` in seconds since 1970; nothing else, never a link
// or a folder. Other names are passed over without a look at their files.
void removeOwnFilesWhere(
    const std::string& folder, std::string_view mark,
    const std::function<bool(const std::string& name, std::int64_t writtenAt)>& doomed);

} // namespace platform
