// cities.sav against a small hand-made database: only offsets where a checked record starts
// (as the test's own file writer placed them) are kept, in the file's order, up to a 0 or a
// short tail.
#include "geo/saved_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geo/text16.h"
#include "test_records.h"

namespace {

std::string offsetBytes(const std::vector<uint32_t>& values) {
    std::string out;
    for (uint32_t v : values)
        for (int shift = 0; shift < 32; shift += 8) out += char(v >> shift);
    return out;
}

TEST(SavedSelection, KeepsOnlyOffsetsWhereARecordStarts) {
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

    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> kept;
        size_t skipped;
    } cases[] = {
        {"three in the saved order", offsetBytes({three, one, two}), {"Three", "One", "Two"}, 0},
        {"short tail", offsetBytes({one, two, three}).substr(0, 11), {"One", "Two"}, 0},
        {"zero ends the list", offsetBytes({one, 0, two}), {"One"}, 0},
        {"inside a record", offsetBytes({one + 2, two + 18, three}), {"Three"}, 2},
        {"header and countries", offsetBytes({16, 116, 25615, two}), {"Two"}, 3},
        {"end marker and past the end", offsetBytes({endMarker, endMarker + 2, 0xFFFFFFFF}), {}, 3},
        {"at and after the refused record", offsetBytes({cut, afterCut, one}), {"One"}, 2},
        {"foreign bytes", "[General]\nFlags=7\n", {}, 4},
    };
    for (const Case& c : cases) {
        size_t skipped = 99;
        std::vector<std::string> names;
        for (const geo::CityRecord* r : geo::parseSelection(
                 reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size(), db, &skipped))
            names.push_back(geo::toUtf8(geo::recordName(r)));
        EXPECT_EQ(names, c.kept) << c.what;
        EXPECT_EQ(skipped, c.skipped) << c.what;
    }
}

}  // namespace
