// SPDX-License-Identifier: MIT
// What the logbook window and its export make of a pilot's records.
#include "logbook/csv.h"
#include "logbook/flight_log.h"
#include "logbook/statistics.h"

#include <clocale>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

using logbook::SearchRecord;

namespace {

SearchRecord reveal(float score, float miss, float flown,
                    const char* when = "2026-12-07T10:00:00Z") {
    SearchRecord r;
    r.timeUtc = when;
    r.score = score;
    r.scoreText = score == 0 ? "" : std::to_string(int(score));
    r.rating = "* Observer *";
    r.missDistance = miss;
    r.distanceFlown = flown;
    return r;
}

} // namespace

TEST(LogbookFigures, thePersonalBestIsTheLowestScoreAndTheFirstOfEquals) {
    const std::vector<SearchRecord> records{reveal(30, 2, 40, "a"), reveal(5, 0.5f, 20, "b"),
                                            reveal(5, 1, 60, "c"), reveal(200, 9, 0, "d")};
    const auto s = logbook::summarize(records);
    EXPECT_EQ(s.reveals, 4);
    ASSERT_TRUE(s.best);
    EXPECT_EQ(s.best->timeUtc, "b");
    EXPECT_DOUBLE_EQ(s.averageScore, 60);
    EXPECT_DOUBLE_EQ(s.averageMiss, 3.125);
    EXPECT_DOUBLE_EQ(s.averageDistance, 30);
    EXPECT_FALSE(logbook::summarize({}).best);
}

TEST(LogbookFigures, theRunningAverageCoversTheLastFewSearches) {
    std::vector<SearchRecord> records;
    for (float score : {10, 20, 30, 40, 50, 60, 70})
        records.push_back(reveal(score, 0, 0));
    const auto average = logbook::runningAverage(records, 5);
    const std::vector<double> expected{10, 15, 20, 25, 30, 40, 50};
    EXPECT_EQ(average, expected);
}

TEST(LogbookFigures, theExportQuotesWhatASpreadsheetWouldSplit) {
    SearchRecord perfect = reveal(0, 0.25f, 12.5f);
    perfect.rating = "*** Command Pilot ***";
    perfect.search = 3;
    perfect.hints = 2;
    perfect.bearingUsed = true;
    perfect.minutes = 4.5;
    SearchRecord odd = reveal(1234, 1, 1);
    odd.scoreText = "1,234";
    odd.rating = "say \"hi\"";
    const std::string csv = logbook::csvOf({perfect, odd});
    std::istringstream lines(csv);
    std::string heading, first, second;
    std::getline(lines, heading);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(heading.rfind("Time (UTC),Search,Score,Rating,", 0), 0u);
    EXPECT_EQ(first, "2026-12-07T10:00:00Z,3,0,*** Command Pilot ***,12.50,0.25,0.00,2,Yes,4.50\r");
    EXPECT_EQ(second, "2026-12-07T10:00:00Z,0,1234,\"say \"\"hi\"\"\",1.00,1.00,0.00,0,No,0.00\r");
}

TEST(LogbookFigures, theExportWritesDecimalPointsWhateverTheLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale here";
    const std::string csv = logbook::csvOf({reveal(12, 1.5f, 30.25f)});
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_NE(csv.find(",30.25,1.50,"), std::string::npos) << csv;
}

TEST(LogbookFigures, anExportReplacesAFileWholeOrLeavesItAsItWas) {
    char folder[] = "/tmp/vantrel-export-XXXXXX";
    ASSERT_TRUE(mkdtemp(folder));
    const std::string path = std::string(folder) + "/logbook.csv";
    std::ofstream(path) << "old";
    EXPECT_TRUE(logbook::writeFileWhole(path, "new"));
    std::ifstream in(path);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "new");
    EXPECT_FALSE(logbook::writeFileWhole(std::string(folder) + "/missing/logbook.csv", "x"));
    std::remove(path.c_str());
    rmdir(folder);
}

TEST(LogbookFigures, aSearchThatRunsPastMidnightTakesItsRealMinutes) {
    EXPECT_DOUBLE_EQ(logbook::minutesBetween(43200, 43290), 1.5);
    EXPECT_DOUBLE_EQ(logbook::minutesBetween(86340, 60), 2);
    EXPECT_DOUBLE_EQ(logbook::minutesBetween(100, 100), 0);
}
