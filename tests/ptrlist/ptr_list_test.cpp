// PtrList against std::list under random inserts and removals across block boundaries,
// walked both ways; its blocks all go when it empties (ASan sees a block freed too soon).

#include "base/ptr_list.h"

#include <gtest/gtest.h>

#include <iterator>
#include <list>
#include <random>
#include <vector>

namespace {

void* item(intptr_t n) {
    return reinterpret_cast<void*>(n);
}

// The list's data forwards and backwards must both equal the reference.
void expectSame(const PtrList& list, const std::list<void*>& reference) {
    ASSERT_EQ(list.count(), int32_t(reference.size()));
    std::vector<void*> forward, backward;
    for (PtrNode* n = list.head(); n; n = n->next) forward.push_back(n->data);
    for (PtrNode* n = list.tail(); n; n = n->prev) backward.push_back(n->data);
    EXPECT_EQ(forward, std::vector<void*>(reference.begin(), reference.end()));
    EXPECT_EQ(backward, std::vector<void*>(reference.rbegin(), reference.rend()));
}

// Random adds, inserts (before a node or before null: the head), removals and now and then a
// removeAll, after which the list must be empty, blockless and usable again.
TEST(PtrList, RandomOperationsMatchStdList) {
    for (int blockSize : {1, 3, 10}) {
        std::mt19937 random(blockSize);
        PtrList list(blockSize);
        std::list<void*> reference;
        std::vector<PtrNode*> nodes;  // the list's nodes in order, mirrored for picking
        intptr_t next = 1;
        for (int step = 0; step < 4000; ++step) {
            int op = int(random() % 501) / 100;  // 0 .. 4, and 5 (removeAll) once in 501
            size_t at = nodes.empty() ? 0 : random() % nodes.size();
            auto ref = std::next(reference.begin(), long(at));
            if (op == 0) {
                nodes.push_back(list.addTail(item(next)));
                reference.push_back(item(next++));
            } else if (op == 1 || (op == 2 && nodes.empty())) {
                nodes.insert(nodes.begin(), step % 2 ? list.addHead(item(next))
                                                     : list.insertBefore(nullptr, item(next)));
                reference.push_front(item(next++));
            } else if (op == 2) {
                nodes.insert(nodes.begin() + long(at), list.insertBefore(nodes[at], item(next)));
                reference.insert(ref, item(next++));
            } else if (op == 5) {
                list.removeAll();
                nodes.clear();
                reference.clear();
            } else if (!nodes.empty()) {
                list.remove(nodes[at]);
                nodes.erase(nodes.begin() + long(at));
                reference.erase(ref);
            }
            expectSame(list, reference);
            if (list.count() == 0) EXPECT_EQ(list.blockCount(), 0);
        }
    }
}

}  // namespace
