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

  // A block of blockSize bytes; throws std::bad_alloc when memory runs out. A slab made
  // for filling (an array growing at its end, as a text loads) asks for a huge page; one
  // made for an edit does not, so that an edit never waits for 2 MiB to be zeroed.
  void* Allocate(bool filling = false);
  void Free(void* block);
  // Maps count slabs for filling, in one piece, to be used before any other; returns the
  // piece (for its pages to be made ready ahead) or null when it cannot be had.
  void* ReserveSlabs(int count);
  // Gives back the reserved slabs not used.
  void DropReserve();
  // Gives back every slab; every block must have been freed.
  void Release();

  int BlocksPerSlab() const { return perSlab; }
  // Slabs mapped now (for the tests).
  int SlabCount() const { return static_cast<int>(slabs.size()); }

  static constexpr std::size_t kSlabSize = std::size_t{2} << 20;
  // Blocks held in the heap before slabs are used: small arrays stay small.
  static constexpr int kHeapBlocks = 16;

 private:
  struct Slab;
  Slab* NewSlab(bool huge);
  void DropSlab(std::size_t at);
  // The slab holding p, or slabs.size() when p came from the heap.
  std::size_t SlabOf(const void* p) const;

  std::size_t blockSize;
  int perSlab;
  int heapLive = 0;
  std::vector<Slab*> slabs;  // by address
  Slab* current = nullptr;   // the slab blocks are taken from while it has room
  char* reserve = nullptr;   // reserved slabs not used yet, one after another
  int reserveLeft = 0;
};
