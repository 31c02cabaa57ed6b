// SPDX-License-Identifier: MIT
// send_records CONNINFO TIMEOUT_MS LOGBOOK COUNT SCORE_STEP EXERCISE: checks the login, then
// sends COUNT records (two Reveals per search, scores falling by SCORE_STEP) through upload().
// Prints "check REACH WORDS" and "upload REACH WORDS".
#include "squadron/upload.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 7) return 2;
    std::string error;
    squadron::Connection connection(squadron::parseConninfo(argv[1], error), std::stoi(argv[2]));
    const std::string logbook = argv[3];
    const int count = std::stoi(argv[4]);
    std::vector<logbook::SearchRecord> records(count);
    for (int i = 0; i < count; ++i) {
        auto& r = records[i];
        r.recordId = logbook + "-" + std::to_string(i);
        r.search = i / 2 + 1;
        r.timeUtc = "2026-12-07T10:" + std::to_string(10 + i) + ":00Z";
        r.score = static_cast<float>((count - i) * std::stoi(argv[5]));
        r.scoreText = r.score == 0 ? "" : std::to_string(static_cast<int>(r.score));
        r.rating = "* Rating " + std::to_string(i) + " *";
        r.missDistance = 1.25f + i;
        r.distanceFlown = 20.5f + i;
        r.track = {{100, 200, 45, 4}, {-3, 7, 90, 0}, {32767, -32768, 315, 1}};
        r.exercise = argv[6];
    }
    const char* reach[] = {"done", "unreachable", "refused"};
    auto answer = squadron::check(connection);
    std::cout << "check " << reach[static_cast<int>(answer.reach)] << ' ' << answer.words << '\n';
    answer = squadron::upload(connection, records, logbook);
    std::cout << "upload " << reach[static_cast<int>(answer.reach)] << ' ' << answer.words << '\n';
}
