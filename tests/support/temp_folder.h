// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// A folder of one test's (or one run's) own under the system's temporary folder, removed with
// everything in it at the end; for tests without Qt, which use QTemporaryDir. `path` is empty
// when no folder could be made.
struct TempFolder {
    std::filesystem::path path;
    TempFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "vantrel-XXXXXX").string();
        if (::mkdtemp(name.data())) path = name;
    }
    ~TempFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string file(const std::string& name) const { return (path / name).string(); }
};
