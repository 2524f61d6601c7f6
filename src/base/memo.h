// A small fixed-size memo for a pure function that is asked the same questions frame after
// frame: two answers to a set, the set chosen by a hash of the question. It never grows and
// never answers for a question it was not given; a question it has forgotten is simply
// worked out again.
#pragma once

#include <cstdint>
#include <utility>

// Key: copyable, with == and `uint64_t hash() const`; Value: copyable. 2^setBits sets.
template <typename Key, typename Value, int setBits>
class Memo {
  public:
    // The answer for `key`: remembered, or `compute()`, then remembered in place of the
    // set's older answer.
    template <typename Compute>
    const Value& get(const Key& key, Compute compute) {
        Entry* set = sets_[(key.hash() * 0x9E3779B97F4A7C15u) >> (64 - setBits)];
        if (!(set[0].used && set[0].key == key)) {
            if (set[1].used && set[1].key == key) {
                std::swap(set[0], set[1]);
            } else {
                set[1] = set[0];
                set[0] = Entry{key, compute(), true};
            }
        }
        return set[0].value;
    }

    void clear() {
        for (Entry* set : sets_) set[0] = set[1] = Entry{};
    }

  private:
    struct Entry {
        Key key{};
        Value value{};
        bool used = false;
    };
    Entry sets_[1 << setBits][2];  // the newer answer of a set first
};
