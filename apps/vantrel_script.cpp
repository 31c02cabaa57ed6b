// SPDX-License-Identifier: MIT
// vantrel-script FILE (or - for standard input): plays a scenario on the headless host and
// prints its transcript.
#include "platform/files.h"
#include "script/scenario_runner.h"
#include "script/stored_lines.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

namespace {

// An argument as typed, in UTF-8: the narrow arguments hold it in the ANSI code page, which has
// no letters for most of the world's folder names.
std::string argumentAsTyped(int index) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string typed;
    try {
        if (arguments && index < count)
            typed = platform::utf8Path(std::filesystem::path(arguments[index]));
    } catch (const std::exception&) {
    }
    LocalFree(arguments);
    return typed;
}

} // namespace
#endif

int main(int argc, char** argv) {
    const auto ready = script::readyStoredLines(argc, argv);
#ifdef _WIN32
    // Bytes in and out as they are, so that a transcript ends its lines with \n on every system
    // and a scenario reads the same there.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (argc != 2) {
        std::cerr << "usage: vantrel-script FILE   (- reads standard input)\n";
        return 2;
    }
#ifdef _WIN32
    const std::string path = argumentAsTyped(1);
#else
    const std::string path = argv[1];
#endif
    std::ifstream file;
    if (path != "-") {
        file.open(platform::systemPath(path), std::ios::binary);
        if (!file) {
            std::cerr << "vantrel-script: cannot read " << path << '\n';
            return 2;
        }
    }
    script::ScenarioRunner runner(std::cout, std::cerr);
    return runner.run(path == "-" ? std::cin : file);
}
