// Insertion with node splits, and the in-order, equal-key and window walks of RecordTree.
// A split moves keys 17..32 (and children 17..33) to a new right node, keeps 0..15 and lifts
// key 16; the root splits in place so that the tree object never moves.
#include "geo/record_tree.h"

#include <cstdlib>

#include "geo/text16.h"

namespace geo {
namespace {

constexpr int kHalf = RecordTree::kMaxKeys / 2;  // 16 keys on each side of a split

struct Window {
    int longitude;  // arc minutes
    int radius;     // arc minutes
};

int classifyEqual(const RecordTree& tree, const CityRecord* record, const void* query) {
    return tree.compare(record, static_cast<const CityRecord*>(query));
}

int classifyWindow(const RecordTree&, const CityRecord* record, const void* query) {
    const Window* w = static_cast<const Window*>(query);
    int d = static_cast<int16_t>(recordLongitude(record) - w->longitude);
    if (d == 0 || std::abs(d) < w->radius) return 0;
    return d < 0 ? -1 : 1;
}

}  // namespace

RecordTree::~RecordTree() {
    clear();
}

void RecordTree::clear() {
    if (!leaf) {
        for (int i = 0; i <= keyCount; ++i) delete children[i];
    }
    keyCount = 0;
    leaf = 1;
}

bool RecordTree::walkWindow(int16_t, int16_t, RecordVisit, void*) const {
    return false;
}

void RecordTree::insert(const CityRecord* record) {
    if (insertInto(record)) splitRoot();
}

void RecordTree::insertKeyAt(int position, const CityRecord* record) {
    for (int j = keyCount; j > position; --j) keys[j] = keys[j - 1];
    keys[position] = record;
    ++keyCount;
}

bool RecordTree::insertInto(const CityRecord* record) {
    // First position whose key sorts after the new one: equal keys stay ahead of it.
    int i = keyCount;
    while (i > 0 && compare(keys[i - 1], record) > 0) --i;
    if (leaf) {
        insertKeyAt(i, record);
    } else if (children[i]->insertInto(record)) {
        splitChild(i);
    }
    return keyCount > kMaxKeys;
}

void RecordTree::moveUpperHalf(RecordTree* to) {
    for (int k = 0; k < kHalf; ++k) to->keys[k] = keys[kHalf + 1 + k];
    if (!leaf) {
        for (int k = 0; k <= kHalf; ++k) to->children[k] = children[kHalf + 1 + k];
    }
    to->keyCount = kHalf;
    to->leaf = leaf;
    keyCount = kHalf;
}

void RecordTree::splitChild(int index) {
    RecordTree* child = children[index];
    RecordTree* right = createNode();
    const CityRecord* median = child->keys[kHalf];
    child->moveUpperHalf(right);
    for (int j = keyCount + 1; j > index + 1; --j) children[j] = children[j - 1];
    children[index + 1] = right;
    // The median goes exactly between the two halves. Placing it by comparison instead
    // would put it after an equal key of this node and break the order of equal keys.
    insertKeyAt(index, median);
}

void RecordTree::splitRoot() {
    RecordTree* left = createNode();
    RecordTree* right = createNode();
    for (int k = 0; k < kHalf; ++k) left->keys[k] = keys[k];
    if (!leaf) {
        for (int k = 0; k <= kHalf; ++k) left->children[k] = children[k];
    }
    left->keyCount = kHalf;
    left->leaf = leaf;
    const CityRecord* median = keys[kHalf];
    moveUpperHalf(right);
    keys[0] = median;
    keyCount = 1;
    leaf = 0;
    children[0] = left;
    children[1] = right;
}

bool RecordTree::walkInOrder(RecordVisit visit, void* context) const {
    for (int i = 0; i < keyCount; ++i) {
        if (!leaf && !children[i]->walkInOrder(visit, context)) return false;
        if (!visit(keys[i], context)) return false;
    }
    return leaf || children[keyCount]->walkInOrder(visit, context);
}

bool RecordTree::walkRange(RangeWalk* walk) const {
    for (int i = 0; i <= keyCount; ++i) {
        bool isKey = i < keyCount;
        if (!leaf) {
            bool skip = isKey && !walk->found && walk->classify(*this, keys[i], walk->query) < 0;
            if (!skip && !children[i]->walkRange(walk)) return false;
        }
        if (!isKey) break;
        if (walk->classify(*this, keys[i], walk->query) == 0) {
            walk->found = true;
            if (!walk->visit(keys[i], walk->context)) return false;
        } else if (walk->found) {
            return false;  // the run has ended
        }
    }
    return true;
}

bool RecordTree::walkEqual(const CityRecord* key, RecordVisit visit, void* context) const {
    RangeWalk walk{classifyEqual, key, visit, context, false};
    return walkRange(&walk);
}

bool LongitudeTree::walkWindow(int16_t longitude, int16_t radius, RecordVisit visit,
                               void* context) const {
    Window window{longitude, radius};
    RangeWalk walk{classifyWindow, &window, visit, context, false};
    return walkRange(&walk);
}

int CountryTree::compare(const CityRecord* a, const CityRecord* b) const {
    return static_cast<int>(recordCountry(a)) - static_cast<int>(recordCountry(b));
}

int LongitudeTree::compare(const CityRecord* a, const CityRecord* b) const {
    return static_cast<int16_t>(recordLongitude(a) - recordLongitude(b));
}

int NameTree::compare(const CityRecord* a, const CityRecord* b) const {
    return compareText(recordName(a), recordName(b));
}

}  // namespace geo
