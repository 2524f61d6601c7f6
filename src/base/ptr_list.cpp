// PtrList node management: a free list refilled one block at a time, the block's first
// node taken first.

#include "base/ptr_list.h"

#include <new>

PtrList::PtrList(int blockSize) : blockSize_(blockSize > 0 ? blockSize : 1) {}

PtrList::~PtrList() {
    removeAll();
}

PtrNode* PtrList::takeNode() {
    if (!free_) {
        size_t bytes = sizeof(PtrNode) * size_t(blockSize_) + sizeof(PtrNode);
        // The link word takes the place of one node, so the nodes after it stay aligned.
        void* memory = ::operator new(bytes, std::nothrow);
        if (!memory) return nullptr;
        Block* block = static_cast<Block*>(memory);
        block->link = blocks_;
        blocks_ = block;
        PtrNode* nodes = reinterpret_cast<PtrNode*>(static_cast<char*>(memory) + sizeof(PtrNode));
        for (int i = blockSize_ - 1; i >= 0; --i) {
            nodes[i].next = free_;
            free_ = &nodes[i];
        }
    }
    PtrNode* node = free_;
    free_ = node->next;
    ++count_;
    return node;
}

PtrNode* PtrList::addTail(void* data) {
    PtrNode* node = takeNode();
    if (!node) return nullptr;
    *node = {nullptr, tail_, data};
    (tail_ ? tail_->next : head_) = node;
    tail_ = node;
    return node;
}

PtrNode* PtrList::addHead(void* data) {
    PtrNode* node = takeNode();
    if (!node) return nullptr;
    *node = {head_, nullptr, data};
    (head_ ? head_->prev : tail_) = node;
    head_ = node;
    return node;
}

PtrNode* PtrList::insertBefore(PtrNode* before, void* data) {
    if (!before || before == head_) return addHead(data);
    PtrNode* node = takeNode();
    if (!node) return nullptr;
    *node = {before, before->prev, data};
    before->prev->next = node;
    before->prev = node;
    return node;
}

void PtrList::remove(PtrNode* node) {
    if (!node) return;
    (node->prev ? node->prev->next : head_) = node->next;
    (node->next ? node->next->prev : tail_) = node->prev;
    node->next = free_;
    free_ = node;
    if (--count_ == 0) removeAll();
}

void PtrList::removeAll() {
    while (blocks_) {
        Block* next = blocks_->link;
        ::operator delete(blocks_);
        blocks_ = next;
    }
    head_ = tail_ = free_ = nullptr;
    count_ = 0;
}

int PtrList::blockCount() const {
    int n = 0;
    for (const Block* b = blocks_; b; b = b->link) ++n;
    return n;
}
