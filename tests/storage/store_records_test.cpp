// SPDX-License-Identifier: MIT
// What the logbook keeps: records read back exactly as written, numbered by search.
#include "storage/sqlite_store.h"
#include "storage/track_blob.h"
#include "store_fixtures.h"

#include <functional>
#include <gtest/gtest.h>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

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
    heard.exercise = "Ridge 3"; // neverHeard flew none: NULL in the file
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
    storage_test::RawConnection raw(QString::fromStdString(store_.path()));
    EXPECT_EQ(raw.value("SELECT count(*) FROM reveals WHERE exercise IS NULL").toInt(), 1);

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
        flown.recordId.clear(); // a Reveal of its own, not the last one again
        ASSERT_TRUE(store_.append(flown).ok());
        revealed.push_back(flown);
    }
    SearchRecord branch = revealed[99], shortOne = revealed[9], onward = revealed.back();
    branch.track.push_back({7, 7, 7, 1});
    onward.track.push_back({-7, -7, 7, 1});
    for (SearchRecord* r : {&branch, &shortOne, &onward, &branch}) {
        r->recordId.clear();
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

// A logbook from before records carried ids gives each old record an id of its own and the file
// one, once: reopening it, or a second store on it, finds the same. Ids are version-4 UUIDs.
TEST_F(StoreRecords, givesOldRecordsAndTheFileIdsOnceWhenBroughtUpToDate) {
    SearchRecord old[] = {makeRecord(1, 4), makeRecord(2, 4), makeRecord(3, 4)};
    for (SearchRecord& r : old)
        ASSERT_TRUE(store_.append(r).ok());
    {
        storage_test::RawConnection raw(QString::fromStdString(store_.path()));
        for (const char* back :
             {"DROP INDEX reveals_by_record_id", "ALTER TABLE reveals DROP COLUMN record_id",
              "ALTER TABLE reveals DROP COLUMN exercise", "DROP TABLE logbook_identity",
              "DROP TABLE squadron_sent", "PRAGMA user_version = 3"})
            raw.exec(back);
    }
    ASSERT_TRUE(store_.open().ok());
    SearchRecord fresh = makeRecord(4, 4); // and one made by the game: all four differ
    ASSERT_TRUE(store_.append(fresh).ok());
    const auto upgraded = store_.records();
    std::set<std::string> ids{store_.logbookId()};
    const QRegularExpression uuid4(
        "^[0-9a-f]{8}-[0-9a-f]{4}-4[0-9a-f]{3}-[89ab][0-9a-f]{3}-[0-9a-f]{12}$");
    for (const SearchRecord& r : upgraded)
        ids.insert(r.recordId);
    for (const std::string& id : ids)
        EXPECT_TRUE(uuid4.match(QString::fromStdString(id)).hasMatch()) << id;
    EXPECT_EQ(ids.size(), 5u);
    storage::SqliteStore again(store_.path());
    ASSERT_TRUE(again.open().ok());
    EXPECT_EQ(again.records(), upgraded);
    EXPECT_EQ(again.logbookId(), store_.logbookId());
}

// Each squadron confirms records apart: what one has is still to be sent to the other. Marking
// twice, or marking an id the file does not hold, changes nothing; a deleted record is neither
// sent nor unsent; a record written again under its id is not a second one.
TEST_F(StoreRecords, keepsWhatEachSquadronHasConfirmed) {
    std::vector<SearchRecord> r;
    for (int seed : {1, 2, 3}) {
        r.push_back(makeRecord(seed, 3 * seed));
        r.back().search = seed == 3 ? r[1].search : 0; // a Reveal again, sharing its track
        ASSERT_TRUE(store_.append(r.back()).ok());
    }
    // Each squadron's sent/unsent counts, then the ids unsent("A", 2) gives.
    const auto state = [this] {
        std::string s;
        for (const char* q : {"A", "B"})
            s += q + (" " + std::to_string(store_.sentCount(q))) + "/" +
                 std::to_string(store_.unsentCount(q)) + " ";
        for (const SearchRecord& u : store_.unsent("A", 2))
            s += std::to_string(u.id);
        return s;
    };
    const auto mark = [this](const char* squadron, auto... ids) {
        return store_.markSent({std::string(ids)...}, squadron).ok();
    };
    const std::string one = r[0].recordId, two = r[1].recordId, three = r[2].recordId;
    const std::pair<std::function<bool()>, const char*> steps[] = {
        {[] { return true; }, "A 0/3 B 0/3 12"},
        {[&] { return mark("A", one, three); }, "A 2/1 B 0/3 2"},
        {[&] { return mark("A", three, one, "no such id"); }, "A 2/1 B 0/3 2"},
        {[&] { return mark("B", two); }, "A 2/1 B 1/2 2"},
        {[&] { return store_.remove(r[0].id).ok(); }, "A 1/1 B 1/1 2"},
        {[&, copy = r[1]]() mutable { return store_.append(copy).ok(); }, "A 1/1 B 1/1 2"},
    };
    for (const auto& [act, expected] : steps) {
        EXPECT_TRUE(act());
        EXPECT_EQ(state(), expected);
    }
    EXPECT_EQ(store_.unsent("B", 5), std::vector<SearchRecord>{*store_.record(r[2].id)});
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
