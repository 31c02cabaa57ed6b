// SPDX-License-Identifier: MIT
// The game's files on any system, Windows under Wine among them: the tone read whole, an export
// written over an old file, both in a folder whose name is not plain ASCII.
#include "logbook/csv.h"
#include "logbook/flight_log.h"
#include "platform/files.h"
#include "sound/wave_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

namespace {

namespace fs = std::filesystem;

// A folder named "Zoë" in a fresh folder of the test's own, removed at the end.
struct ZoeFolder {
    fs::path outer =
        fs::temp_directory_path() / ("vantrel-portable-" + std::to_string(std::random_device{}()));
    std::string zoe = platform::utf8Path(outer) + "/Zo\xc3\xab"; // UTF-8, as the game holds it
    ZoeFolder() {
        fs::create_directories(outer);
        fs::create_directory(platform::systemPath(zoe));
    }
    ~ZoeFolder() {
        std::error_code ignored;
        fs::remove_all(outer, ignored);
    }
    ZoeFolder(const ZoeFolder&) = delete;
    ZoeFolder& operator=(const ZoeFolder&) = delete;
    std::string bytesOf(const std::string& name) const {
        std::ifstream in(platform::systemPath(zoe + "/" + name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::vector<std::string> names() const {
        std::vector<std::string> all;
        for (const auto& entry : fs::directory_iterator(platform::systemPath(zoe)))
            all.push_back(platform::utf8Path(entry.path().filename()));
        std::sort(all.begin(), all.end());
        return all;
    }
};

TEST(PortableFiles, theFolderIsNamedAsTheGameSpellsIt) {
    const ZoeFolder folder;
    std::vector<std::string> outer;
    for (const auto& entry : fs::directory_iterator(folder.outer))
        outer.push_back(platform::utf8Path(entry.path().filename()));
    EXPECT_EQ(outer, std::vector<std::string>{"Zo\xc3\xab"});
}

TEST(PortableFiles, theGamesOwnToneIsReadWholeFromThere) {
    const ZoeFolder folder;
    const std::string tone = folder.zoe + "/elt1.wav";
    fs::copy_file(fs::path(VANTREL_BIN_DIR) / "elt1.wav", platform::systemPath(tone));
    const std::string bytes = folder.bytesOf("elt1.wav");
    // The bytes that end a file read as text on Windows are in it, many times over.
    ASSERT_GT(std::count(bytes.begin(), bytes.end(), '\x1a'), 500);

    ui::WaveRefusal refusal;
    const auto sound = ui::readWaveFile(tone, refusal);
    ASSERT_TRUE(sound) << refusal.reason;
    EXPECT_EQ(sound->bytes.size(), bytes.size());
    EXPECT_EQ(sound->samplesAt + sound->samplesSize, bytes.size());
    EXPECT_FALSE(ui::readWaveFile(folder.zoe + "/missing.wav", refusal));
    EXPECT_FALSE(refusal.reason.empty());
}

TEST(PortableFiles, anExportReplacesAnOldFileThereWholeAndLeavesNothingElse) {
    const ZoeFolder folder;
    const std::string csv = folder.zoe + "/scores.csv";
    const std::string first = "Time (UTC),Score\r\n2026-12-08T09:00:00Z,120\r\n";
    const std::string second = "Time (UTC),Score\r\n2026-12-08T09:30:00Z,80\r\n\x1a\n";
    ASSERT_TRUE(logbook::writeFileWhole(csv, first));
    ASSERT_TRUE(logbook::writeFileWhole(csv, second));
    EXPECT_EQ(folder.bytesOf("scores.csv"), second) << "line ends and bytes as written";
    EXPECT_EQ(folder.names(), std::vector<std::string>{"scores.csv"});
    EXPECT_FALSE(logbook::writeFileWhole(folder.zoe + "/missing/scores.csv", first));
}

TEST(PortableFiles, aTemporaryLeftByAKilledExportGoesOnlyOnceItsWriterHasEnded) {
    const ZoeFolder folder;
    const std::string alive = std::to_string(platform::processId());
    const std::string gone = "2147483647";
    const std::string left = ".scores.csv.vantrel-tmp-" + gone + "-1";
    const std::string ours = ".scores.csv.vantrel-tmp-" + alive + "-2";
    for (const auto& name : {left, ours, std::string("notes.txt")})
        std::ofstream(platform::systemPath(folder.zoe + "/" + name)) << "partial";
    logbook::removeLeftoverTemporaries(folder.zoe, std::time(nullptr) + 10);
    EXPECT_EQ(folder.names(), (std::vector<std::string>{ours, "notes.txt"}));
    logbook::removeLeftoverTemporaries(folder.zoe, std::time(nullptr) + 120);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"notes.txt"});
}

TEST(PortableFiles, timesAreWrittenInUtcOnEverySystem) {
    EXPECT_EQ(logbook::utcText(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(logbook::utcText(951782399), "2000-02-28T23:59:59Z");
    EXPECT_EQ(logbook::utcText(951782400 + 86399), "2000-02-29T23:59:59Z");
    EXPECT_EQ(logbook::utcText(1796688000), "2026-12-08T00:00:00Z");
    EXPECT_EQ(logbook::utcText(-1), "1969-12-31T23:59:59Z");
}

} // namespace
