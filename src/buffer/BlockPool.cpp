// Fixed-size blocks from the heap and from huge-page slabs.
#include "buffer/BlockPool.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "platform/base/PageMemory.h"

// A slab starts with this header; its blocks follow. Freed blocks are chained through
// their first bytes, per slab, so that an emptied slab can go with its free blocks.
struct CBlockPool::Slab {
  int live;      // blocks handed out
  int bumped;    // blocks ever cut from the slab's unused end
  void* free;    // the chain of freed blocks
  static constexpr std::size_t kHeader = 64;
  char* Block(int i, std::size_t size) { return reinterpret_cast<char*>(this) + kHeader + static_cast<std::size_t>(i) * size; }
};

CBlockPool::CBlockPool(std::size_t size) : blockSize(std::max(size, sizeof(void*))) {
  perSlab = static_cast<int>((kSlabSize - Slab::kHeader) / blockSize);
}

CBlockPool::~CBlockPool() { Release(); }

CBlockPool::Slab* CBlockPool::NewSlab() {
  // Twice the size is mapped and trimmed to a slab on a 2 MiB boundary, so that the slab
  // is exactly one huge page and its blocks find it by address.
  auto* raw = static_cast<char*>(plat::AllocPages(2 * kSlabSize, false));
  if (!raw) throw std::bad_alloc();
  const auto addr = reinterpret_cast<std::uintptr_t>(raw);
  char* base = reinterpret_cast<char*>((addr + kSlabSize - 1) & ~(kSlabSize - 1));
  if (base > raw) plat::FreePages(raw, static_cast<std::size_t>(base - raw));
  if (base + kSlabSize < raw + 2 * kSlabSize) plat::FreePages(base + kSlabSize, static_cast<std::size_t>(raw + 2 * kSlabSize - (base + kSlabSize)));
  plat::AdviseHugePages(base, kSlabSize);
  auto* slab = reinterpret_cast<Slab*>(base);
  slab->live = 0;
  slab->bumped = 0;
  slab->free = nullptr;
  try {
    slabs.insert(std::upper_bound(slabs.begin(), slabs.end(), slab), slab);
  } catch (...) {
    plat::FreePages(base, kSlabSize);
    throw;
  }
  return slab;
}

void CBlockPool::DropSlab(std::size_t at) {
  Slab* slab = slabs[at];
  if (slab == current) current = nullptr;
  slabs.erase(slabs.begin() + static_cast<std::ptrdiff_t>(at));
  plat::FreePages(slab, kSlabSize);
}

std::size_t CBlockPool::SlabOf(const void* p) const {
  auto it = std::upper_bound(slabs.begin(), slabs.end(), p, [](const void* q, const Slab* s) { return q < static_cast<const void*>(s); });
  if (it == slabs.begin()) return slabs.size();
  --it;
  const char* base = reinterpret_cast<const char*>(*it);
  if (static_cast<const char*>(p) >= base + kSlabSize) return slabs.size();
  return static_cast<std::size_t>(it - slabs.begin());
}

void* CBlockPool::Allocate() {
  if (slabs.empty() && heapLive < kHeapBlocks) {
    void* p = ::operator new(blockSize);
    ++heapLive;
    return p;
  }
  auto hasRoom = [&](const Slab* s) { return s->free || s->bumped < perSlab; };
  if (!current || !hasRoom(current)) {
    current = nullptr;
    for (Slab* s : slabs)
      if (hasRoom(s)) {
        current = s;
        break;
      }
    if (!current) current = NewSlab();
  }
  Slab* s = current;
  void* p;
  if (s->free) {
    p = s->free;
    s->free = *static_cast<void**>(p);
  } else {
    p = s->Block(s->bumped++, blockSize);
  }
  ++s->live;
  return p;
}

void CBlockPool::Free(void* block) {
  if (!block) return;
  const std::size_t at = SlabOf(block);
  if (at == slabs.size()) {
    ::operator delete(block);
    --heapLive;
    return;
  }
  Slab* s = slabs[at];
  *static_cast<void**>(block) = s->free;
  s->free = block;
  if (--s->live > 0) return;
  // One empty slab is kept for the next blocks, so that a block freed and taken again
  // at a slab's edge does not map and zero a fresh huge page each time.
  for (std::size_t i = 0; i < slabs.size(); ++i)
    if (i != at && slabs[i]->live == 0) {
      DropSlab(at);
      return;
    }
}

void CBlockPool::Release() {
  for (Slab* s : slabs) plat::FreePages(s, kSlabSize);
  slabs.clear();
  slabs.shrink_to_fit();
  current = nullptr;
}
