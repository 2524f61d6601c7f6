// cities.sav against a small hand-made database: only offsets where a checked record starts
// are kept, in the file's order, up to a 0 or a short tail; writing the kept places back gives
// the offsets the test's own file writer reported for those records.
#include "geo/saved_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geo/place.h"
#include "geo/text16.h"
#include "test_records.h"

namespace {

std::vector<uint8_t> offsetBytes(const std::vector<uint32_t>& values) {
    std::vector<uint8_t> out;
    for (uint32_t v : values)
        for (int shift = 0; shift < 32; shift += 8) out.push_back(uint8_t(v >> shift));
    return out;
}

TEST(SavedSelection, KeepsWhatNamesARecordAndWritesItBack) {
    geotest::FileBytes f;
    f.country(0, u"Here", 0, 0);
    const uint32_t one = f.city({u"One", 0, 1, 1});
    const uint32_t two = f.city({u"Two", 0, 2, 2});
    const uint32_t three = f.city({u"Three", 255, 3, 3});
    const uint32_t cut = f.city({u"Cut", 255, 4, 4});
    const uint32_t afterCut = f.city({u"After", 255, 5, 5});
    const uint32_t endMarker = f.bytes.size();
    f.end();
    f.put(cut + 4, 5401);  // a latitude out of range: the records from here on are refused
    geo::CityDatabase db;
    ASSERT_TRUE(db.attach(f.bytes.data(), f.bytes.size()));

    std::vector<uint8_t> foreign;
    for (char c : std::string("[General]\nFlags=7\n")) foreign.push_back(uint8_t(c));
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::vector<std::string> kept;
        size_t skipped;
    } cases[] = {
        {"three in the saved order", offsetBytes({three, one, two}), {"Three", "One", "Two"}, 0},
        {"a repeated city", offsetBytes({two, two}), {"Two", "Two"}, 0},
        {"empty", {}, {}, 0},
        {"short tail",
         [&] {
             auto b = offsetBytes({one, two, three});
             b.resize(b.size() - 1);
             return b;
         }(),
         {"One", "Two"},
         0},
        {"zero ends the list", offsetBytes({one, 0, two}), {"One"}, 0},
        {"inside a record", offsetBytes({one + 2, two + 18, three}), {"Three"}, 2},
        {"header and countries", offsetBytes({16, 116, 25615, two}), {"Two"}, 3},
        {"end marker and past the end", offsetBytes({endMarker, endMarker + 2, 0xFFFFFFFF}), {}, 3},
        {"at and after the refused record", offsetBytes({cut, afterCut, one}), {"One"}, 2},
        {"foreign bytes", foreign, {}, 4},
    };
    for (const Case& c : cases) {
        size_t skipped = 99;
        std::vector<std::string> names;
        for (const geo::CityRecord* r :
             geo::parseSelection(c.bytes.data(), c.bytes.size(), db, &skipped))
            names.push_back(geo::toUtf8(geo::recordName(r)));
        EXPECT_EQ(names, c.kept) << c.what;
        EXPECT_EQ(skipped, c.skipped) << c.what;
    }

    // Written back: every city place by its record, in list order; a bare position and a
    // place whose name lies outside the file are left out.
    std::vector<geo::Place> held(5);
    held[0].fillFromRecord(db.recordAt(three));
    held[2].fillFromRecord(db.recordAt(one));
    held[3].name = u"Elsewhere";
    held[4].fillFromRecord(db.recordAt(three));
    PtrList list;
    for (geo::Place& p : held) list.addTail(&p);
    EXPECT_EQ(geo::formatSelection(list, db), offsetBytes({three, one, three}));
    list.removeAll();
}

}  // namespace
