// Page-backed regions through mmap: reserved up front, paid for page by page when touched.
#include "platform/base/PageMemory.h"

#include <sys/mman.h>

#include <cstdint>

namespace plat {
namespace {
constexpr std::size_t kHuge = std::size_t{2} << 20;
}

void AdviseHugePages(void* p, std::size_t size) {
#ifdef MADV_HUGEPAGE
  auto begin = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
  auto end = (reinterpret_cast<std::uintptr_t>(p) + size) & ~(kHuge - 1);
  if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
  (void)p;
  (void)size;
#endif
}

void* AllocPages(std::size_t size, bool hugePages) {
  if (size == 0) size = 1;
  void* p = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (p == MAP_FAILED) return nullptr;
  if (hugePages) AdviseHugePages(p, size);
  return p;
}

void* ReallocPages(void* p, std::size_t oldSize, std::size_t newSize) {
  if (!p) return AllocPages(newSize, newSize >= 4 * kHuge);
  void* q = mremap(p, oldSize, newSize, MREMAP_MAYMOVE);
  if (q == MAP_FAILED) return nullptr;
  if (newSize >= 4 * kHuge) AdviseHugePages(q, newSize);
  return q;
}

bool PrefaultPages(void* p, std::size_t size, const std::atomic<bool>* stop) {
#ifdef MADV_POPULATE_WRITE
  const auto begin = reinterpret_cast<std::uintptr_t>(p) & ~std::uintptr_t{4095};
  auto end = reinterpret_cast<std::uintptr_t>(p) + size;
  while (end > begin && !(stop && stop->load(std::memory_order_relaxed))) {
    // Steps end on 2 MiB boundaries, so that each one is a whole huge page where it can be.
    std::uintptr_t from = (end - 1) & ~(kHuge - 1);
    if (from < begin) from = begin;
    if (madvise(reinterpret_cast<void*>(from), end - from, MADV_POPULATE_WRITE) != 0) return false;
    end = from;
  }
  return true;
#else
  (void)p;
  (void)size;
  (void)stop;
  return false;
#endif
}

void FreePages(void* p, std::size_t size) {
  if (p) munmap(p, size == 0 ? 1 : size);
}

}  // namespace plat
