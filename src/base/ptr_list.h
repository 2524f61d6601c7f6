// PtrList, the one list type of the program: a doubly linked list of untyped pointers whose
// nodes come from blocks of `blockSize` nodes allocated in one piece. The list owns its
// nodes and blocks, never the data they point to: owners delete their items first.
#pragma once

#include <cstddef>
#include <cstdint>

struct PtrNode {
    PtrNode* next;
    PtrNode* prev;
    void* data;
};

class PtrList {
  public:
    explicit PtrList(int blockSize = 10);
    ~PtrList();
    PtrList(const PtrList&) = delete;
    PtrList& operator=(const PtrList&) = delete;

    // Adds `data` at the tail or the head; the new node, or null (list unchanged) when a
    // block cannot be allocated.
    PtrNode* addTail(void* data);
    PtrNode* addHead(void* data);
    // Inserts `data` before `node` (a null node adds at the head); the new node or null.
    PtrNode* insertBefore(PtrNode* node, void* data);
    // Unlinks `node` (a node of this list) and keeps it for reuse; removing the last node
    // frees every block.
    void remove(PtrNode* node);
    // Frees every block at once and empties the list.
    void removeAll();

    PtrNode* head() const { return head_; }
    PtrNode* tail() const { return tail_; }
    int32_t count() const { return count_; }
    // Blocks currently allocated (for tests of the allocation pattern).
    int blockCount() const;

  private:
    struct Block {
        Block* link;  // the next block of this list
        // blockSize nodes follow
    };

    PtrNode* takeNode();

    PtrNode* head_ = nullptr;
    PtrNode* tail_ = nullptr;
    PtrNode* free_ = nullptr;
    Block* blocks_ = nullptr;
    int32_t count_ = 0;
    int32_t blockSize_;  // nodes a block
};
