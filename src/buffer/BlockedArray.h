// An array of plain values kept in blocks of at most B, so that inserting or removing
// values anywhere moves at most one block's worth of them plus an index of the blocks.
#pragma once
#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "buffer/BlockPool.h"

template <class T, int B>
class CBlockedArray {
  static_assert(std::is_trivially_copyable_v<T>, "values are moved as bytes");
  static_assert(B >= 8, "a block holds a few values at least");

 public:
  CBlockedArray() = default;
  CBlockedArray(const CBlockedArray&) = delete;
  CBlockedArray& operator=(const CBlockedArray&) = delete;
  ~CBlockedArray() { Clear(); }

  int Count() const { return count; }
  int BlockCount() const { return static_cast<int>(blocks.size()); }

  // The block used last is kept at hand, so that walking the values in order (or staying
  // on one) costs two comparisons a value.
  T& operator[](int i) {
    if (static_cast<unsigned>(i - hintBegin) < static_cast<unsigned>(hintEnd - hintBegin)) return hintItems[i - hintBegin];
    return Find(i);
  }
  const T& operator[](int i) const { return const_cast<CBlockedArray*>(this)->operator[](i); }

  // Every value in order, block by block (no search per value).
  template <class F>
  void ForEach(F&& f) const {
    for (const Block* b : blocks)
      for (int i = 0; i < b->count; ++i) f(b->items[i]);
  }
  template <class F>
  void ForEach(F&& f) {
    for (Block* b : blocks)
      for (int i = 0; i < b->count; ++i) f(b->items[i]);
  }

  // The first index from first on (below end) whose value passes test, or -1, walking the
  // blocks in order. The block at hand is only read, never changed, so that several threads
  // may walk an array that none of them changes.
  template <class Test>
  int FindFrom(int first, int end, Test&& test) const {
    end = std::min(end, count);
    if (first < 0) first = 0;
    if (first >= end) return -1;
    const int nb = static_cast<int>(blocks.size());
    int b = hint;
    if (!(b < nb && first >= starts[b] && first - starts[b] < blocks[b]->count))
      b = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), first) - starts.begin()) - 1;
    for (int i = first; b < nb && i < end; ++b) {
      const Block* block = blocks[b];
      const int base = starts[b], stop = std::min(block->count, end - base);
      for (int k = i - base; k < stop; ++k)
        if (test(block->items[k])) return base + k;
      i = base + block->count;
    }
    return -1;
  }

  // Inserts n values before index (0 <= index <= Count()); throws std::bad_alloc with the
  // array unchanged when memory runs out.
  void Insert(int index, const T* values, int n) { InsertImpl(index, n, [&](T* dst, int from, int k) { std::memcpy(dst, values + from, sizeof(T) * k); }); }
  void InsertCopies(int index, const T& value, int n) { InsertImpl(index, n, [&](T* dst, int, int k) { std::fill_n(dst, k, value); }); }
  void PushBack(const T& value) {
    if (blocks.empty() || blocks.back()->count == B) {
      AppendBlocks(count, 1, [&](T* dst, int, int) { *dst = value; });
      return;
    }
    Block* last = blocks.back();
    last->items[last->count++] = value;
    ++count;
  }

  // Maps the blocks for about n values to be appended, in one piece of huge pages that
  // is returned (with its size in bytes) so that its pages can be made ready ahead; null
  // when it cannot be had. What is not used goes at DropReserve.
  std::pair<void*, std::size_t> ReserveForAppend(int n) {
    const int perSlab = pool.BlocksPerSlab();
    const long long blocksNeeded = n / B + 1;
    const int slabCount = static_cast<int>((blocksNeeded + perSlab - 1) / perSlab);
    void* p = pool.ReserveSlabs(slabCount);
    return {p, p ? static_cast<std::size_t>(slabCount) * CBlockPool::kSlabSize : 0};
  }
  void DropReserve() { pool.DropReserve(); }

  // Removes n values from index on (index + n <= Count()).
  void Remove(int index, int n) {
    if (n <= 0) return;
    Unhint();
    int b = Locate(index);
    const int first = b;
    int off = index - starts[b];
    int left = n;
    while (left > 0) {
      Block* blk = blocks[b];
      const int k = std::min(left, blk->count - off);
      std::memmove(blk->items + off, blk->items + off + k, sizeof(T) * (blk->count - off - k));
      blk->count -= k;
      left -= k;
      if (blk->count == 0) {
        DeleteBlock(blk);
        blocks.erase(blocks.begin() + b);
        starts.erase(starts.begin() + b);
      } else {
        ++b;
      }
      off = 0;
    }
    count -= n;
    // A block left small joins a neighbour when both fit in one.
    int at = std::min(first, static_cast<int>(blocks.size()) - 1);
    if (at >= 0 && at + 1 < static_cast<int>(blocks.size())) MergeIfSmall(at);
    if (at > 0 && at < static_cast<int>(blocks.size())) MergeIfSmall(at - 1);
    Restart(std::max(0, at - 1));
  }

  void Clear() {
    Unhint();
    for (Block* b : blocks) DeleteBlock(b);
    blocks.clear();
    blocks.shrink_to_fit();
    starts.clear();
    starts.shrink_to_fit();
    pool.Release();
    count = 0;
    hint = 0;
  }

 private:
  struct Block {
    int count;
    T items[B];
  };
  // Raw storage: the values are copied in as bytes, so a new block is not filled with
  // default values first (16 KiB of writes a block, for a whole text on loading).
  Block* NewBlock(bool filling = false) {
    auto* b = static_cast<Block*>(pool.Allocate(filling));
    b->count = 0;
    return b;
  }
  void DeleteBlock(Block* b) { pool.Free(b); }
  struct BlockDeleter {
    CBlockedArray* owner;
    void operator()(Block* b) const { owner->DeleteBlock(b); }
  };

  T& Find(int i) const {
    const int b = Locate(i);
    hintBegin = starts[b];
    hintEnd = starts[b] + blocks[b]->count;
    hintItems = blocks[b]->items;
    return hintItems[i - hintBegin];
  }
  // Values move or blocks go: the block at hand is looked up again next time.
  void Unhint() { hintBegin = hintEnd = 0; }

  // The block holding index i (0 <= i < Count(), or i == Count() for the last block).
  int Locate(int i) const {
    const int nb = static_cast<int>(blocks.size());
    int b = hint;
    if (b < nb && i >= starts[b] && i - starts[b] < blocks[b]->count) return b;
    ++b;
    if (b < nb && i >= starts[b] && i - starts[b] < blocks[b]->count) return hint = b;
    b = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), i) - starts.begin()) - 1;
    if (b < 0) b = 0;
    return hint = b;
  }

  // Start indexes from block b on.
  void Restart(int b) {
    int s = b > 0 ? starts[b - 1] + blocks[b - 1]->count : 0;
    for (int j = b; j < static_cast<int>(blocks.size()); ++j) {
      starts[j] = s;
      s += blocks[j]->count;
    }
    if (hint >= static_cast<int>(blocks.size())) hint = 0;
  }

  // Room in the index for more blocks, growing it geometrically so that filling a large
  // array neither copies the index per block nor leaves a trail of freed copies behind.
  void Grow(std::size_t more) {
    const std::size_t need = blocks.size() + more;
    if (need <= blocks.capacity() && need <= starts.capacity()) return;
    const std::size_t to = std::max(need, blocks.capacity() * 2);
    blocks.reserve(to);
    starts.reserve(to);
  }

  void MergeIfSmall(int b) {
    Block* a = blocks[b];
    Block* c = blocks[b + 1];
    if (a->count + c->count > B / 2) return;
    std::memcpy(a->items + a->count, c->items, sizeof(T) * c->count);
    a->count += c->count;
    DeleteBlock(c);
    blocks.erase(blocks.begin() + b + 1);
    starts.erase(starts.begin() + b + 1);
  }

  template <class Fill>
  void InsertImpl(int index, int n, Fill fill) {
    if (n <= 0) return;
    Unhint();
    if (blocks.empty()) {
      AppendBlocks(0, n, fill);
      return;
    }
    int b = index == count ? static_cast<int>(blocks.size()) - 1 : Locate(index);
    int off = index - starts[b];
    Block* blk = blocks[b];
    if (index == count && blk->count + n > B) {
      // Growing at the end fills new blocks and leaves the full ones as they are.
      AppendBlocks(count, n, fill);
      return;
    }
    if (blk->count + n <= B) {
      std::memmove(blk->items + off + n, blk->items + off, sizeof(T) * (blk->count - off));
      fill(blk->items + off, 0, n);
      blk->count += n;
      count += n;
      for (int j = b + 1; j < static_cast<int>(blocks.size()); ++j) starts[j] += n;
      return;
    }
    if (n <= B / 2) {
      // Split the full block in halves; the values go into the half that holds index.
      std::unique_ptr<Block, BlockDeleter> right(NewBlock(), BlockDeleter{this});
      Grow(1);
      const int mid = blk->count / 2;
      right->count = blk->count - mid;
      std::memcpy(right->items, blk->items + mid, sizeof(T) * right->count);
      blk->count = mid;
      blocks.insert(blocks.begin() + b + 1, right.release());
      starts.insert(starts.begin() + b + 1, starts[b] + mid);
      if (off > mid) {
        ++b;
        off -= mid;
        blk = blocks[b];
      }
      std::memmove(blk->items + off + n, blk->items + off, sizeof(T) * (blk->count - off));
      fill(blk->items + off, 0, n);
      blk->count += n;
      count += n;
      Restart(b);
      return;
    }
    // Many values: the block's tail moves to a block of its own and the values fill new
    // blocks between.
    const int tailCount = blk->count - off;
    std::unique_ptr<Block, BlockDeleter> tail(nullptr, BlockDeleter{this});
    if (tailCount > 0) {
      tail.reset(NewBlock());
      tail->count = tailCount;
      std::memcpy(tail->items, blk->items + off, sizeof(T) * tailCount);
    }
    std::vector<Block*> made = MakeBlocks(n, fill);
    const std::size_t add = made.size() + (tail ? 1 : 0);
    try {
      Grow(add);
    } catch (...) {
      for (Block* m : made) DeleteBlock(m);
      throw;
    }
    blk->count = off;
    if (tail) made.push_back(tail.release());
    blocks.insert(blocks.begin() + b + 1, made.begin(), made.end());
    starts.insert(starts.begin() + b + 1, made.size(), 0);
    count += n;
    if (blk->count == 0) {
      DeleteBlock(blk);
      blocks.erase(blocks.begin() + b);
      starts.erase(starts.begin() + b);
    }
    Restart(b);
  }

  template <class Fill>
  std::vector<Block*> MakeBlocks(int n, Fill fill, bool filling = false) {
    std::vector<Block*> made;
    try {
      made.reserve(static_cast<std::size_t>(n / B + 1));
      for (int from = 0; from < n; from += B) {
        auto* m = NewBlock(filling);
        made.push_back(m);
        m->count = std::min(B, n - from);
        fill(m->items, from, m->count);
      }
    } catch (...) {
      for (Block* m : made) DeleteBlock(m);
      throw;
    }
    return made;
  }

  template <class Fill>
  void AppendBlocks(int at, int n, Fill fill) {
    std::vector<Block*> made = MakeBlocks(n, fill, true);
    try {
      Grow(made.size());
    } catch (...) {
      for (Block* m : made) DeleteBlock(m);
      throw;
    }
    for (Block* m : made) {
      blocks.push_back(m);
      starts.push_back(at);
      at += m->count;
    }
    count += n;
  }

  CBlockPool pool{sizeof(Block)};
  std::vector<Block*> blocks;
  std::vector<int> starts;  // index of each block's first value
  mutable int hint = 0;     // the block found last
  mutable int hintBegin = 0, hintEnd = 0;  // the values of the block at hand
  mutable T* hintItems = nullptr;
  int count = 0;
};
