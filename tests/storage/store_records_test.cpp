// SPDX-License-Identifier: MIT
// What the logbook keeps: records read back exactly as written, numbered by search.
#include "storage/sqlite_store.h"
#include "storage/track_blob.h"
#include "store_fixtures.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace {

using logbook::SearchRecord;
using storage_test::makeRecord;

SearchRecord withoutTrack(SearchRecord r) {
    r.track.clear();
    return r;
}

class StoreRecords : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(store_.open().ok());
    }
    QTemporaryDir dir_;
    storage::SqliteStore store_{dir_.filePath("logbook.sqlite").toStdString()};
};

// Every field comes back as written, the track point for point (the extremes of its 16-bit
// numbers included), and a first-heard point only where there was one.
TEST_F(StoreRecords, readsBackWhatItWrote) {
    SearchRecord heard = makeRecord(1, 2000);
    heard.track.push_back({-32768, 32767, -1, 256});
    SearchRecord neverHeard = makeRecord(2, 0);
    neverHeard.firstHeard.reset();
    neverHeard.scoreText = "";
    neverHeard.rating = "Bad luck — ä";
    for (SearchRecord* r : {&heard, &neverHeard})
        ASSERT_TRUE(store_.append(*r).ok());

    const auto listed = store_.records();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0], withoutTrack(heard));
    EXPECT_EQ(listed[1], withoutTrack(neverHeard));
    const auto whole = store_.records(true);
    ASSERT_EQ(whole.size(), 2u);
    EXPECT_EQ(whole[0], heard);
    EXPECT_EQ(whole[1], neverHeard);
    const auto one = store_.record(heard.id);
    ASSERT_TRUE(one.has_value());
    EXPECT_EQ(*one, heard);
    EXPECT_FALSE(store_.record(neverHeard.id + 1).has_value());
    EXPECT_TRUE(store_.remove(neverHeard.id + 1).ok()); // nothing to remove is no trouble

    // A second store on the same file, as the Logbook window would open it, sees the same.
    storage::SqliteStore again(store_.path());
    ASSERT_TRUE(again.open().ok());
    ASSERT_EQ(again.count(), 2);
    EXPECT_EQ(again.record(heard.id), heard);
}

// One search revealed again after every step, as a player checking the score might: each Reveal
// reads back the track it had, and the file grows with the track, not with its square. A Reveal
// whose track branches off the search's (another copy of the game flying on from an earlier
// Reveal) keeps its own; one that stops short of it needs none.
TEST_F(StoreRecords, keepsTheTrackOfASearchRevealedAgainAndAgainOnce) {
    constexpr int kReveals = 400;
    SearchRecord flown = makeRecord(1, 0);
    std::vector<SearchRecord> revealed;
    for (int step = 0; step < kReveals; ++step) {
        const auto n = static_cast<std::int16_t>(step);
        flown.track.push_back({n, static_cast<std::int16_t>(-n), n, 4});
        ASSERT_TRUE(store_.append(flown).ok());
        revealed.push_back(flown);
    }
    SearchRecord branch = revealed[99], shortOne = revealed[9], onward = revealed.back();
    branch.track.push_back({7, 7, 7, 1});
    onward.track.push_back({-7, -7, 7, 1});
    for (SearchRecord* r : {&branch, &shortOne, &onward, &branch}) {
        ASSERT_TRUE(store_.append(*r).ok());
        revealed.push_back(*r);
    }

    EXPECT_EQ(store_.records(true), revealed);
    for (const SearchRecord& r : {revealed[0], revealed[99], branch, shortOne, onward})
        EXPECT_EQ(store_.record(r.id), r);
    storage_test::RawConnection raw(QString::fromStdString(store_.path()));
    const int bytes =
        raw.value("PRAGMA page_count").toInt() * raw.value("PRAGMA page_size").toInt();
    const int wholeTracks = kReveals * (kReveals + 1) / 2 * storage::kTrackPointBytes;
    EXPECT_LT(bytes, wholeTracks / 4);
}

// The bytes of a point are little-endian, whatever the machine: a fixed picture of them.
TEST(TrackBlob, packsLittleEndianSixteenBitNumbers) {
    const std::vector<logbook::TrackPoint> track{{1, -2, 258, -32768}};
    const QByteArray blob = storage::packTrack(track);
    EXPECT_EQ(blob, QByteArray::fromHex("0100feff02010080"));
    EXPECT_EQ(storage::unpackTrack(blob), track);
    EXPECT_EQ(storage::unpackTrack(blob + "xyz"), track); // a torn point is dropped
}

} // namespace
