// SPDX-License-Identifier: MIT
// What the logbook window and its export make of a pilot's records.
#include "logbook/csv.h"
#include "logbook/flight_log.h"
#include "logbook/logbook_window.h"
#include "logbook/statistics.h"
#include "support/temp_folder.h"
#include "ui/headless/headless_host.h"
#include "ui/runtime.h"
#include "ui/window_slot.h"

#include <clocale>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/time.h>
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

TEST(LogbookFigures, eachSearchCountsOnceByItsFirstRevealAndTheBestIsTheFirstOfEquals) {
    // Search 2 is revealed again, nearer the ELT once its place was shown: that repeat is kept
    // but neither the best nor an average may hear of it. A record never written (search 0) is
    // a search of its own.
    auto of = [](std::int64_t search, SearchRecord r) {
        r.search = search;
        return r;
    };
    const std::vector<SearchRecord> records{
        of(1, reveal(30, 2, 40, "a")),      of(2, reveal(5, 0.5f, 20, "b")),
        of(2, reveal(0, 0, 24, "b again")), of(3, reveal(5, 1, 60, "c")),
        of(0, reveal(200, 9, 0, "d")),      of(2, reveal(1, 0, 30, "b once more"))};
    const auto s = logbook::summarize(records);
    EXPECT_EQ(s.searches, 4);
    EXPECT_EQ(s.reveals, 6);
    ASSERT_TRUE(s.best);
    EXPECT_EQ(s.best->timeUtc, "b");
    EXPECT_DOUBLE_EQ(s.averageScore, 60);
    EXPECT_DOUBLE_EQ(s.averageMiss, 3.125);
    EXPECT_DOUBLE_EQ(s.averageDistance, 30);
    EXPECT_EQ(logbook::repeats(records),
              (std::vector<bool>{false, false, true, false, false, true}));
    EXPECT_FALSE(logbook::summarize({}).best);
}

TEST(LogbookFigures, theChartShowsEachSearchOnceOnBandsThatOneWildScoreCannotSqueeze) {
    // A first search of 180, revealed again at 0, then one of 5: the table keeps all three and
    // marks the repeat; the chart has two searches on a scale that still gives the best band,
    // under 10, an eighth of its height.
    std::ostringstream transcript;
    ui::headless::HeadlessHost host{transcript};
    ui::Runtime runtime{host};
    ui::WindowSlot<LogbookWindow> slot{runtime, buildLogbookWindow};
    std::vector<SearchRecord> records{reveal(180, 9, 90), reveal(0, 0, 95), reveal(5, 1, 20)};
    records[0].search = records[1].search = 1;
    records[2].search = 2;
    fillLogbookWindow(slot.get(), records);
    const ui::Chart& chart = *slot.get().chtScores;
    EXPECT_EQ(chart.yMaximum, 80);
    ASSERT_EQ(chart.series().size(), 2u);
    EXPECT_EQ(chart.series()[0].values, (std::vector<double>{180, 5})) << "the value, not the edge";
    EXPECT_EQ(chart.series()[1].name, "Running average of 5 searches");
    EXPECT_EQ(chart.series()[1].values, (std::vector<double>{180, 92.5}));
    std::vector<std::string> scores;
    for (const auto& row : slot.get().grdSearches->rows())
        scores.push_back(row.at(1).text);
    EXPECT_EQ(scores, (std::vector<std::string>{"180", "0 (repeat)", "5"}));
    EXPECT_EQ(slot.get().lblAverages->caption().rfind("2 searches (3 reveals", 0), 0u)
        << slot.get().lblAverages->caption();
}

TEST(LogbookFigures, theRunningAverageCoversTheLastFewSearches) {
    std::vector<SearchRecord> records;
    for (float score : {10, 20, 30, 40, 50, 60, 70})
        records.push_back(reveal(score, 0, 0));
    const auto average = logbook::runningAverage(records, 5);
    const std::vector<double> expected{10, 15, 20, 25, 30, 40, 50};
    EXPECT_EQ(average, expected);
}

TEST(LogbookFigures, theExportWritesEveryFieldOfARecord) {
    SearchRecord perfect = reveal(0, 0.25f, 12.5f);
    perfect.rating = "*** Command Pilot ***";
    perfect.search = 3;
    perfect.hints = 2;
    perfect.bearingUsed = true;
    perfect.minutes = 4.5;
    std::istringstream lines(logbook::csvOf({perfect}));
    std::string heading, first;
    std::getline(lines, heading);
    std::getline(lines, first);
    EXPECT_EQ(heading.rfind("Time (UTC),Search,Score,Rating,", 0), 0u);
    EXPECT_EQ(first, "2026-12-07T10:00:00Z,3,0,*** Command Pilot ***,12.50,0.25,0.00,2,Yes,4.50\r");
}

TEST(LogbookFigures, theExportQuotesWhatASpreadsheetWouldSplitOrRunButKeepsItsNumbersNumbers) {
    // Texts from a logbook anyone may have edited: a spreadsheet must show them, not run them.
    const struct {
        const char* rating;
        const char* scoreText;
        float miss;
        const char* row; // from the score to the miss distance
    } cases[] = {
        {"=1+1", "12", 1, "12,\"'=1+1\",1.00,1.00"},
        {"+cmd", "-3.5", -3.5f, "-3.5,\"'+cmd\",1.00,-3.50"},
        {"-2", "1,234", 0, "1234,\"'-2\",1.00,0.00"},
        {"@SUM(A1)", "=HYPERLINK(\"x\")", 0, "\"'=HYPERLINK(\"\"x\"\")\",\"'@SUM(A1)\",1.00,0.00"},
        {"\t=1", "-inf", 0, "\"'-inf\",\"'\t=1\",1.00,0.00"},
        {"\r=1", "1e3", 0, "1e3,\"'\r=1\",1.00,0.00"},
        {"A -1 = 2", "", 0, "0,A -1 = 2,1.00,0.00"},
        {"say \"hi\"", "1", 0, "1,\"say \"\"hi\"\"\",1.00,0.00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rating);
        SearchRecord r = reveal(1, c.miss, 1);
        r.rating = c.rating;
        r.scoreText = c.scoreText;
        const std::string csv = logbook::csvOf({r});
        EXPECT_NE(csv.find(std::string(",0,") + c.row + ","), std::string::npos) << csv;
    }
}

TEST(LogbookFigures, anExportNamedWithoutAnExtensionIsACsvFile) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/p/scores", "/home/p/scores.csv"},
        {"/home/p.q/scores", "/home/p.q/scores.csv"},
        // As the save dialog leaves them, which asked before replacing them.
        {"scores.", "scores."},
        {"/home/p/.scores", "/home/p/.scores"},
        {"/home/p/scores.txt", "/home/p/scores.txt"},
        {"/home/p/logbook.csv", "/home/p/logbook.csv"}};
    for (const auto& [typed, written] : cases)
        EXPECT_EQ(logbook::withCsvExtension(typed), written);
}

TEST(LogbookFigures, theExportWritesDecimalPointsWhateverTheLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale here";
    const std::string csv = logbook::csvOf({reveal(12, 1.5f, 30.25f)});
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_NE(csv.find(",30.25,1.50,"), std::string::npos) << csv;
}

std::string contentsOf(const std::string& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

TEST(LogbookFigures, anExportReplacesAFileWholeKeepingItsPermissionsOrLeavesItAsItWas) {
    const TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const std::string path = folder.file("logbook.csv");
    // A file written over keeps who may read and write it, never a set-id bit; a new one takes
    // the user's umask.
    const struct {
        int existing; // the old file's mode, or -1 for none
        mode_t umask;
        int expected;
    } cases[] = {
        {0600, 022, 0600}, {0640, 077, 0640}, {06755, 022, 0755}, {-1, 022, 0644}, {-1, 077, 0600}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.existing);
        std::remove(path.c_str());
        if (c.existing >= 0) {
            std::ofstream(path) << "old";
            chmod(path.c_str(), static_cast<mode_t>(c.existing));
        }
        const mode_t before = umask(c.umask);
        EXPECT_TRUE(logbook::writeFileWhole(path, "new"));
        umask(before);
        EXPECT_EQ(contentsOf(path), "new");
        struct stat written {};
        ASSERT_EQ(stat(path.c_str(), &written), 0);
        EXPECT_EQ(written.st_mode & 07777, mode_t(c.expected));
    }
    EXPECT_FALSE(logbook::writeFileWhole(folder.file("missing/logbook.csv"), "x"));
    EXPECT_EQ(contentsOf(path), "new");
}

TEST(LogbookFigures, anExportRemovesOnlyTheTemporariesThatKilledExportsLeft) {
    // A writer that is gone leaves its temporary for the next export into the folder to remove
    // once it is a few seconds old (a folder shared with another machine may hold that one's
    // export in the making, under a number no process here has); a living writer's is its own
    // until it is a minute old; nothing else is ever touched.
    const TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const std::string in = folder.file("");
    const std::string alive = std::to_string(getpid()), gone = "2147483647";
    const struct {
        std::string name;
        int age; // seconds since it was written
        bool removed;
    } cases[] = {
        {".logbook.csv.vantrel-tmp-" + gone + "-123456", 10, true},
        {".other name.csv.vantrel-tmp-" + gone + "-7", 10, true},
        {".logbook.csv.vantrel-tmp-" + gone + "-8", 0, false},
        {".logbook.csv.vantrel-tmp-" + alive + "-123456", 0, false},
        {".logbook.csv.vantrel-tmp-" + alive + "-654321", 120, true},
        {"logbook.csv.vantrel-tmp-" + gone + "-1", 120, false},
        {".logbook.csv.vantrel-tmp-" + gone + "-1.csv", 120, false},
        {".logbook.csv.vantrel-tmp-x-1", 120, false},
        {".logbook.csv.vantrel-tmp-4294967297-1", 120, false}, // no process has that number
        {"logbook.csv.AbC123", 120, false},
        {"notes.txt", 120, false},
    };
    for (const auto& c : cases) {
        std::ofstream(in + c.name) << "partial";
        const timeval then[2] = {{time(nullptr) - c.age, 0}, {time(nullptr) - c.age, 0}};
        utimes((in + c.name).c_str(), then);
    }
    const std::string folderOfOurs = in + ".logbook.csv.vantrel-tmp-" + gone + "-9";
    ASSERT_EQ(mkdir(folderOfOurs.c_str(), 0700), 0);
    EXPECT_TRUE(logbook::writeFileWhole(in + "logbook.csv", "new"));
    for (const auto& c : cases) {
        EXPECT_EQ(access((in + c.name).c_str(), F_OK) != 0, c.removed) << c.name;
        std::remove((in + c.name).c_str());
    }
    EXPECT_EQ(access(folderOfOurs.c_str(), F_OK), 0) << "a folder is never ours";
    rmdir(folderOfOurs.c_str());
    std::remove((in + "logbook.csv").c_str());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path)) << "the export left nothing of its own";
}

} // namespace
