// Fixed-size blocks for a large array: the first few come from the heap, the rest are cut
// from 2 MiB slabs of page memory that ask for huge pages. A large text has many thousand
// blocks per array; taking them from the heap costs a page fault every 4 KiB on first
// touch, and on a virtual machine a fault can cost as much as the rest of a load.
#pragma once
#include <cstddef>
#include <vector>

class CBlockPool {
 public:
  explicit CBlockPool(std::size_t blockSize);
  CBlockPool(const CBlockPool&) = delete;
  CBlockPool& operator=(const CBlockPool&) = delete;
  ~CBlockPool();

  // A block of blockSize bytes; throws std::bad_alloc when memory runs out.
  void* Allocate();
  void Free(void* block);
  // Gives back every slab; every block must have been freed.
  void Release();

  // Slabs mapped now (for the tests).
  int SlabCount() const { return static_cast<int>(slabs.size()); }

  static constexpr std::size_t kSlabSize = std::size_t{2} << 20;
  // Blocks held in the heap before slabs are used: small arrays stay small.
  static constexpr int kHeapBlocks = 16;

 private:
  struct Slab;
  Slab* NewSlab();
  void DropSlab(std::size_t at);
  // The slab holding p, or slabs.size() when p came from the heap.
  std::size_t SlabOf(const void* p) const;

  std::size_t blockSize;
  int perSlab;
  int heapLive = 0;
  std::vector<Slab*> slabs;  // by address
  Slab* current = nullptr;   // the slab blocks are taken from while it has room
};
