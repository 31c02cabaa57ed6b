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

void expectSame(const SearchRecord& a, const SearchRecord& b, bool withTrack) {
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.search, b.search);
    EXPECT_EQ(a.timeUtc, b.timeUtc);
    EXPECT_EQ(std::tie(a.eltX, a.eltY, a.vorX, a.vorY, a.airportX, a.airportY, a.mapScale),
              std::tie(b.eltX, b.eltY, b.vorX, b.vorY, b.airportX, b.airportY, b.mapScale));
    EXPECT_EQ(withTrack ? a.track : std::vector<logbook::TrackPoint>{}, b.track);
    EXPECT_EQ(a.firstHeard, b.firstHeard);
    EXPECT_EQ(std::tie(a.distanceFlown, a.missDistance, a.firstSignalDistance, a.score),
              std::tie(b.distanceFlown, b.missDistance, b.firstSignalDistance, b.score));
    EXPECT_EQ(std::tie(a.scoreText, a.rating, a.hints, a.bearingUsed, a.minutes),
              std::tie(b.scoreText, b.rating, b.hints, b.bearingUsed, b.minutes));
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
    expectSame(heard, listed[0], false);
    expectSame(neverHeard, listed[1], false);
    const auto whole = store_.records(true);
    ASSERT_EQ(whole.size(), 2u);
    expectSame(heard, whole[0], true);
    expectSame(neverHeard, whole[1], true);
    const auto one = store_.record(heard.id);
    ASSERT_TRUE(one.has_value());
    expectSame(heard, *one, true);
    EXPECT_FALSE(store_.record(neverHeard.id + 1).has_value());

    // A second store on the same file, as the Logbook window would open it, sees the same.
    storage::SqliteStore again(store_.path());
    ASSERT_TRUE(again.open().ok());
    ASSERT_EQ(again.count(), 2);
    expectSame(heard, *again.record(heard.id), true);
}

// A record with search 0 starts a search of its own; one carrying a search number joins it,
// as a second Reveal of the same search does; removing a record leaves the others.
TEST_F(StoreRecords, numbersSearchesAndRemovesRecords) {
    SearchRecord first = makeRecord(1, 3), second = makeRecord(2, 3), other = makeRecord(3, 3);
    ASSERT_TRUE(store_.append(first).ok());
    second.search = first.search;
    ASSERT_TRUE(store_.append(second).ok());
    ASSERT_TRUE(store_.append(other).ok());
    EXPECT_NE(first.search, 0);
    EXPECT_EQ(second.search, first.search);
    EXPECT_NE(other.search, first.search);
    EXPECT_LT(first.id, second.id);
    EXPECT_LT(second.id, other.id);

    ASSERT_TRUE(store_.remove(first.id).ok());
    EXPECT_TRUE(store_.remove(first.id).ok()); // already gone: nothing to do
    ASSERT_EQ(store_.count(), 2);
    EXPECT_FALSE(store_.record(first.id).has_value());
    EXPECT_EQ(store_.record(second.id)->track, second.track);
    // The search lives on in its other record; a later Reveal still joins it.
    SearchRecord third = makeRecord(4, 3);
    third.search = first.search;
    ASSERT_TRUE(store_.append(third).ok());
    EXPECT_EQ(third.search, first.search);
    EXPECT_EQ(store_.records().back().search, first.search);
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
