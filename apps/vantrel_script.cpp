// SPDX-License-Identifier: MIT
// vantrel-script FILE (or - for standard input): plays a scenario on the headless host and
// prints its transcript.
#include "script/scenario_runner.h"

#include <fstream>
#include <iostream>
#include <QCoreApplication>

int main(int argc, char** argv) {
    // The logbook's database driver is a Qt plugin, found through the application.
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: vantrel-script FILE   (- reads standard input)\n";
        return 2;
    }
    const std::string path = argv[1];
    std::ifstream file;
    if (path != "-") {
        file.open(path);
        if (!file) {
            std::cerr << "vantrel-script: cannot read " << path << '\n';
            return 2;
        }
    }
    script::ScenarioRunner runner(std::cout, std::cerr);
    return runner.run(path == "-" ? std::cin : file);
}
