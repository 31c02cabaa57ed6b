// SPDX-License-Identifier: MIT
// vantrel-script FILE (or - for standard input): plays a scenario on the headless host and
// prints its transcript.
#include "script/scenario_runner.h"
#include "script/stored_lines.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
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
    const std::string path = argv[1];
    std::ifstream file;
    if (path != "-") {
        file.open(path, std::ios::binary);
        if (!file) {
            std::cerr << "vantrel-script: cannot read " << path << '\n';
            return 2;
        }
    }
    script::ScenarioRunner runner(std::cout, std::cerr);
    return runner.run(path == "-" ? std::cin : file);
}
