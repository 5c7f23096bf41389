// Fixed-size blocks from the heap and from huge-page slabs.
#include "buffer/BlockPool.h"

#include <algorithm>
#include <cstddef>
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

// Each block is rounded up to the strictest alignment, so that every block of a slab is
// aligned for any value and for the free chain's pointer.
CBlockPool::CBlockPool(std::size_t size)
    : blockSize((std::max(size, sizeof(void*)) + alignof(std::max_align_t) - 1) / alignof(std::max_align_t) * alignof(std::max_align_t)) {
  perSlab = static_cast<int>((kSlabSize - Slab::kHeader) / blockSize);
}

CBlockPool::~CBlockPool() { Release(); }

namespace {
// count slabs on a 2 MiB boundary: one more is mapped and the ends trimmed.
char* MapSlabs(std::size_t count) {
  const std::size_t size = count * CBlockPool::kSlabSize;
  auto* raw = static_cast<char*>(plat::AllocPages(size + CBlockPool::kSlabSize, false));
  if (!raw) return nullptr;
  const auto addr = reinterpret_cast<std::uintptr_t>(raw);
  char* base = reinterpret_cast<char*>((addr + CBlockPool::kSlabSize - 1) & ~(CBlockPool::kSlabSize - 1));
  char* end = raw + size + CBlockPool::kSlabSize;
  if (base > raw) plat::FreePages(raw, static_cast<std::size_t>(base - raw));
  if (base + size < end) plat::FreePages(base + size, static_cast<std::size_t>(end - (base + size)));
  return base;
}
}  // namespace

void* CBlockPool::ReserveSlabs(int count) {
  DropReserve();
  if (count <= 0) return nullptr;
  char* base = MapSlabs(static_cast<std::size_t>(count));
  if (!base) return nullptr;
  plat::AdviseHugePages(base, static_cast<std::size_t>(count) * kSlabSize);
  reserve = base;
  reserveLeft = count;
  return base;
}

void CBlockPool::DropReserve() {
  if (reserve) plat::FreePages(reserve, static_cast<std::size_t>(reserveLeft) * kSlabSize);
  reserve = nullptr;
  reserveLeft = 0;
}

CBlockPool::Slab* CBlockPool::NewSlab(bool huge) {
  char* base;
  if (huge && reserveLeft > 0) {
    base = reserve;
    reserve = --reserveLeft > 0 ? reserve + kSlabSize : nullptr;
  } else {
    base = MapSlabs(1);
    if (!base) throw std::bad_alloc();
    if (huge) plat::AdviseHugePages(base, kSlabSize);
  }
  // A slab lies on a 2 MiB boundary, so that it can be exactly one huge page.
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

void* CBlockPool::Allocate(bool filling) {
  if (slabs.empty() && !reserve && heapLive < kHeapBlocks) {
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
    if (!current) current = NewSlab(filling);
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
  DropReserve();
  for (Slab* s : slabs) plat::FreePages(s, kSlabSize);
  slabs.clear();
  slabs.shrink_to_fit();
  current = nullptr;
}
