// The city database on small hand-made files (searches, orders, nearness, countries), on
// damaged files (refused or cut at the first bad record), and on the built cities.bin,
// whose prefix search must equal a linear scan of its records.
#include "geo/city_db.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "geo/country_labels.h"
#include "geo/place_lists.h"
#include "geo/text16.h"
#include "test_records.h"

namespace {

using geotest::CityFields;
using geotest::FileBytes;

std::vector<std::string> names(const geo::RecordList& list) {
    std::vector<std::string> out;
    for (const geo::CityRecord* r : list) out.push_back(geo::toUtf8(geo::recordName(r)));
    return out;
}

class SmallDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        file.country(0, u"France", 2911, 141);
        file.country(1, u"Suriname", 350, -3310);
        file.country(7, u"Nowhere", 0, 0);
        file.city({u"Paris", 0, 2911, 141, 60});
        file.city({u"PARAMARIBO", 1, 350, -3310, -180});
        file.city({u"Lyon", 0, 2745, 290, 60});
        file.city({u"Parma", 255, 2688, 619, 60});
        file.city({u"Paris", 1, 10, 10, 0});  // a duplicate name, later in the file
        file.city({u"Eastend", 255, 0, 10790, 0});
        file.city({u"Westend", 255, 0, -10790, 0});
        file.city({u"North", 255, 200, 3000, 0});
        file.city({u"NorthEast", 255, 150, 3150, 0});
        file.city({u"Dateline", 255, 100, -10798, 0});
        file.end();
        ASSERT_TRUE(db.attach(file.bytes.data(), file.bytes.size())) << db.problem();
        EXPECT_EQ(db.problem(), "");
        db.buildIndexes();
    }
    FileBytes file;
    geo::CityDatabase db;
};

TEST_F(SmallDatabase, SearchLimitsAndCountries) {
    geo::RecordList found;  // the order of the matches is the built database's test
    ASSERT_TRUE(db.prefixSearch(u"PAR", 1, &found));  // the first match in file order
    EXPECT_EQ(names(found), std::vector<std::string>{"Paris"});
    EXPECT_FALSE(db.prefixSearch(u"", 10, &found));
    EXPECT_FALSE(db.prefixSearch(nullptr, 10, &found));
    // A country's cities in name order.
    found.clear();
    db.citiesOfCountry(0, 100, &found);
    EXPECT_EQ(names(found), (std::vector<std::string>{"Lyon", "Paris"}));
    found.clear();
    db.citiesOfCountry(7, 100, &found);
    EXPECT_TRUE(found.empty());
    db.citiesOfCountry(255, 2, &found);
    EXPECT_EQ(found.size(), 2u);
}

TEST_F(SmallDatabase, NearestCityWindow) {
    struct Case {
        int lat, lon, radius;
        const char* expected;  // null: nothing found
    };
    for (Case c : {Case{2911, 141, 1, "Paris"}, Case{2912, 141, 1, nullptr},
                   Case{0, 3000, 200, "NorthEast"},  // North is 200 away: outside
                   Case{0, 10790, 30, "Eastend"}, Case{0, -10795, 30, "Westend"},
                   Case{0, 10795, 100, "Eastend"},
                   // Across ±180° the short way: 4 arc minutes. It used to be missed.
                   Case{100, 10798, 30, "Dateline"}}) {
        geo::Place place;
        place.kind = geo::kPlacePosition;
        bool hit = db.nearestCity(c.lat, c.lon, c.radius, &place);
        ASSERT_EQ(hit, c.expected != nullptr) << c.lat << " " << c.lon;
        if (hit) {
            EXPECT_EQ(geo::toUtf8(place.name), c.expected);
            EXPECT_EQ(place.kind, geo::kPlacePosition);  // kind is the caller's
        } else {
            EXPECT_EQ(place.name, nullptr);
        }
    }
}

// Records by offset and by name are the saved selection's and Find City's end to end.
TEST_F(SmallDatabase, CountryNamesAndLabels) {
    EXPECT_EQ(db.countryIndexByName(u"Suriname"), 1);
    EXPECT_EQ(db.countryIndexByName(u"suriname"), 255);
    EXPECT_EQ(geo::toUtf8(db.countryName(256 + 7)), "Nowhere");
    EXPECT_EQ(db.countryName(255)[0], 0);
    geo::Place country;
    country.fillFromCountry(db.countryEntry(1));
    EXPECT_EQ(country.kind, geo::kPlaceCountry);
    EXPECT_EQ(country.longitude, -3310);
    // "Nowhere", at 0,0 without cities, has no place; its label used to stand at 0°N 0°E.
    ASSERT_TRUE(geo::displayAllCountries(db));
    std::vector<std::string> labels;
    for (PtrNode* n = geo::gDisplayedCountries.head(); n; n = n->next)
        labels.push_back(geo::toUtf8(static_cast<const geo::Place*>(n->data)->name));
    EXPECT_EQ(labels, (std::vector<std::string>{"France", "Suriname"}));
    geo::deletePlaces(&geo::gDisplayedCountries);
}

// Damaged files: what is refused, where a file is cut, and that nothing past it is used.
TEST(DamagedDatabase, RefusedOrCut) {
    struct Case {
        const char* what;
        void (*damage)(FileBytes* f, size_t secondRecord);
        bool opens;
        size_t records;
    };
    const Case cases[] = {
        {"intact", [](FileBytes*, size_t) {}, true, 3},
        {"too short", [](FileBytes* f, size_t) { f->bytes.resize(25615); }, false, 0},
        {"no records at all", [](FileBytes* f, size_t) { f->bytes.resize(25616); }, true, 0},
        {"first length 0", [](FileBytes* f, size_t) { f->put(25616, 0); }, true, 0},
        {"odd length", [](FileBytes* f, size_t at) { f->put(at, 31); }, true, 1},
        {"negative length", [](FileBytes* f, size_t at) { f->put(at, 0xFFFE); }, true, 1},
        {"length too small", [](FileBytes* f, size_t at) { f->put(at, 4); }, true, 1},
        {"past the end", [](FileBytes* f, size_t at) { f->put(at, 30000); }, true, 1},
        {"unterminated name", [](FileBytes* f, size_t at) { f->put(at + 24, 'x'); }, true, 1},
        {"country with no name", [](FileBytes* f, size_t at) { f->bytes[at + 3] = 9; }, true, 1},
        {"route flag", [](FileBytes* f, size_t at) { f->bytes[at + 2] = 0x10; }, true, 1},
        {"latitude", [](FileBytes* f, size_t at) { f->put(at + 4, 5401); }, true, 1},
        {"no end marker", [](FileBytes* f, size_t) { f->bytes.resize(f->bytes.size() - 2); }, true,
         3},
        {"unterminated country",
         [](FileBytes* f, size_t) {
             for (int i = 0; i < 48; ++i) f->put(16 + 100 * 3 + 4 + 2 * i, 'A');
         },
         false, 0},
    };
    for (const Case& c : cases) {
        FileBytes f;
        f.country(0, u"Here", 0, 0);
        f.city({u"One", 0, 1, 1});
        size_t second = f.city({u"Two", 0, 2, 2});  // 18 + 8 = 26 bytes
        f.city({u"Three", 255, 3, 3});
        f.end();
        c.damage(&f, second);
        geo::CityDatabase db;
        ASSERT_EQ(db.attach(f.bytes.data(), f.bytes.size()), c.opens) << c.what;
        EXPECT_EQ(db.recordCount(), c.records) << c.what;
        EXPECT_EQ(db.problem().empty(),
                  std::string(c.what) == "intact" || std::string(c.what) == "first length 0")
            << c.what << ": " << db.problem();
        db.buildIndexes();
        geo::RecordList all;
        db.prefixSearch(u"T", 10, &all);
        geo::Place place;
        EXPECT_EQ(db.nearestCity(2, 2, 1, &place), c.records >= 2) << c.what;
        EXPECT_EQ(all.size(), c.records >= 3 ? 2u : c.records >= 2 ? 1u : 0u) << c.what;
    }
}

TEST(BuiltDatabase, PrefixSearchEqualsLinearScan) {
    geo::CityDatabase db;
    ASSERT_TRUE(db.open(MUNDORA_BINARY_DIR "/data/cities.bin")) << db.problem();
    EXPECT_EQ(db.problem(), "");
    EXPECT_GT(db.recordCount(), 20000u);
    db.buildIndexes();
    for (const char16_t* prefix : {u"s", u"san ", u"PAR", u"new y", u"zz"}) {
        geo::RecordList found, expected;
        ASSERT_TRUE(db.prefixSearch(prefix, 20000, &found));
        size_t n = geo::textLength(prefix);
        for (const geo::CityRecord* r = db.firstRecord(); r; r = db.nextRecord(r)) {
            if (geo::compareTextNoCase(geo::recordName(r), prefix, n) == 0) expected.push_back(r);
        }
        std::stable_sort(expected.begin(), expected.end(), [](auto a, auto b) {
            return std::u16string(geo::recordName(a)) < std::u16string(geo::recordName(b));
        });
        EXPECT_EQ(found, expected) << geo::toUtf8(prefix);
    }
}

}  // namespace
