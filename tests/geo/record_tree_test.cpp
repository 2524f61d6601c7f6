// The B-trees against brute force: random inserts compared with a stably sorted vector, node
// fill and depth checked at every level, and the equal-key and window walks compared with a
// linear filter of the same records.
#include "geo/record_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "test_records.h"

namespace {

using geo::CityRecord;

// Records with a given country and longitude, stored one after another like the file.
struct Records {
    explicit Records(const std::vector<std::pair<int, int>>& keys) {
        for (auto [country, lon] : keys) {
            geotest::CityFields c;
            c.name = u"x";
            c.country = uint8_t(country);
            c.longitude = int16_t(lon);
            offsets.push_back(file.city(c));
        }
    }
    const CityRecord* at(size_t i) const {
        return reinterpret_cast<const CityRecord*>(file.bytes.data() + offsets[i]);
    }
    geotest::FileBytes file;
    std::vector<size_t> offsets;
};

bool collect(const CityRecord* r, void* context) {
    static_cast<std::vector<const CityRecord*>*>(context)->push_back(r);
    return true;
}

// Checks node fill (16..32 keys below the root), equal leaf depth; returns the depth.
int checkNode(const geo::RecordTree& node, bool root) {
    EXPECT_LE(node.keyCount, 32);
    if (!root) EXPECT_GE(node.keyCount, 16);
    if (node.leaf) return 1;
    int depth = checkNode(*node.children[0], false);
    for (int i = 1; i <= node.keyCount; ++i) EXPECT_EQ(checkNode(*node.children[i], false), depth);
    return depth + 1;
}

// The in-order walk and window walks against a stable sort and a linear filter of it; 33
// equal keys must split 16-1-16 (node fill) and keep their insertion order.
TEST(RecordTree, RandomInsertsMatchStableSortAtEveryDepth) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> lon(-10800, 10800), few(-40, 40);
    for (int n : {1, 32, 33, 600, 20000}) {
        std::vector<std::pair<int, int>> keys;
        for (int i = 0; i < n; ++i) keys.push_back({0, n == 33 ? 0 : i % 3 ? lon(rng) : few(rng)});
        Records recs(keys);
        geo::LongitudeTree tree;
        std::vector<const CityRecord*> expected;
        for (int i = 0; i < n; ++i) {
            tree.insert(recs.at(i));
            expected.push_back(recs.at(i));
        }
        std::stable_sort(expected.begin(), expected.end(), [](auto a, auto b) {
            return geo::recordLongitude(a) < geo::recordLongitude(b);
        });
        std::vector<const CityRecord*> walked;
        EXPECT_TRUE(tree.walkInOrder(collect, &walked));
        EXPECT_EQ(walked, expected) << n << " keys";  // equal keys keep insertion order
        int depth = checkNode(tree, true);
        if (n == 20000) EXPECT_GE(depth, 3) << "splits of inner nodes were not exercised";
        struct Window {
            int lon, radius;
        };
        for (Window q :
             {Window{0, 1}, Window{7, 1}, Window{0, 60}, Window{-10790, 200}, Window{10790, 200},
              Window{5000, 3000}, Window{100, 21600}, Window{-3333, 17}}) {
            std::vector<const CityRecord*> inWindow;
            for (const CityRecord* r : expected)
                if (std::abs(geo::recordLongitude(r) - q.lon) < q.radius) inWindow.push_back(r);
            walked.clear();
            tree.walkWindow(int16_t(q.lon), int16_t(q.radius), collect, &walked);
            EXPECT_EQ(walked, inWindow) << n << " keys, window " << q.lon << " +- " << q.radius;
        }
    }
}

TEST(RecordTree, EqualKeyWalkMatchesFilter) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> country(0, 20);
    std::vector<std::pair<int, int>> keys;
    for (int i = 0; i < 5000; ++i) keys.push_back({country(rng), 0});
    Records recs(keys);
    geo::CountryTree tree;
    for (size_t i = 0; i < keys.size(); ++i) tree.insert(recs.at(i));
    for (int c = 0; c <= 21; ++c) {
        std::vector<const CityRecord*> expected, walked;
        for (size_t i = 0; i < keys.size(); ++i)
            if (keys[i].first == c) expected.push_back(recs.at(i));
        Records key({{c, 0}});
        tree.walkEqual(key.at(0), collect, &walked);
        EXPECT_EQ(walked, expected) << "country " << c;
    }
}

}  // namespace
