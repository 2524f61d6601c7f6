// In-memory B-trees of pointers to city records, at most 32 keys a node, ordered by country,
// by longitude or by name. Keys with equal order keep their insertion order. The trees own
// their nodes, never the records, which stay in the mapped cities.bin.
#pragma once

#include <cstdint>

#include "geo/city_file.h"

namespace geo {

// Called for each record a walk visits; returns true to go on, false to stop the whole walk.
using RecordVisit = bool (*)(const CityRecord* record, void* context);

// A node, and through its root node a whole tree; each order is a subclass.
class RecordTree {
  public:
    static constexpr int kMaxKeys = 32;

    RecordTree() = default;
    RecordTree(const RecordTree&) = delete;
    RecordTree& operator=(const RecordTree&) = delete;
    virtual ~RecordTree();  // deletes the child nodes

    // Visits, in order, the records within `radius` arc minutes of `longitude` (the window
    // does not wrap at 180 degrees). Only the longitude order has one; others return false.
    virtual bool walkWindow(int16_t longitude, int16_t radius, RecordVisit visit,
                            void* context) const;
    // The order: negative, zero or positive as `a` sorts before, with or after `b`.
    virtual int compare(const CityRecord* a, const CityRecord* b) const = 0;
    // An empty leaf of the same order.
    virtual RecordTree* createNode() const = 0;

    // Adds a record after every record that compares equal to it.
    void insert(const CityRecord* record);
    // Deletes every node below the root and empties it.
    void clear();
    // Visits every record in order. True when the walk reached the end.
    bool walkInOrder(RecordVisit visit, void* context) const;
    // Visits the run of records comparing equal to `key`, in order. True when the walk
    // reached the end of the tree, false when the run or the callback stopped it.
    bool walkEqual(const CityRecord* key, RecordVisit visit, void* context) const;

    int32_t keyCount = 0;
    uint8_t leaf = 1;
    const CityRecord* keys[kMaxKeys + 1] = {};  // the 33rd only during an insertion
    RecordTree* children[kMaxKeys + 2] = {};

  protected:
    // Where a record lies against a query: negative below it, 0 inside, positive above.
    using Classify = int (*)(const RecordTree& tree, const CityRecord* record, const void* query);
    struct RangeWalk {
        Classify classify;
        const void* query;
        RecordVisit visit;
        void* context;
        bool found;
    };
    // The walk shared by the equal-key and window searches: skips subtrees wholly below the
    // range and stops at the first record above it.
    bool walkRange(RangeWalk* walk) const;

  private:
    bool insertInto(const CityRecord* record);  // true when this node overflowed
    void insertKeyAt(int position, const CityRecord* record);
    void splitChild(int index);
    void splitRoot();
    void moveUpperHalf(RecordTree* to);
};

// Ordered by country index (unsigned byte); no window walk.
class CountryTree : public RecordTree {
  public:
    int compare(const CityRecord* a, const CityRecord* b) const override;
    RecordTree* createNode() const override { return new CountryTree; }
};

// Ordered by longitude (signed arc minutes), with the window walk of the nearness search.
class LongitudeTree : public RecordTree {
  public:
    bool walkWindow(int16_t longitude, int16_t radius, RecordVisit visit,
                    void* context) const override;
    int compare(const CityRecord* a, const CityRecord* b) const override;
    RecordTree* createNode() const override { return new LongitudeTree; }
};

// Ordered by name, ordinal by UTF-16 code unit (uppercase before lowercase); no window walk.
class NameTree : public RecordTree {
  public:
    int compare(const CityRecord* a, const CityRecord* b) const override;
    RecordTree* createNode() const override { return new NameTree; }
};

}  // namespace geo
