// Large page-backed memory: regions that are reserved but only paid for when touched, and
// that ask the kernel for huge pages, so that loading a big file costs few page faults.
#pragma once
#include <atomic>
#include <cstddef>

namespace plat {

// Reserves size bytes of zeroed memory; null on failure. Release with FreePages.
void* AllocPages(std::size_t size, bool hugePages);
// Grows or shrinks a region, moving it without copying where needed; null on failure (the
// old region stays valid then).
void* ReallocPages(void* p, std::size_t oldSize, std::size_t newSize);
void FreePages(void* p, std::size_t size);
// Makes the pages of [p, p+size) present and writable without writing them, 2 MiB at a
// time from the end back (so that a writer going forward from p meets it halfway), until
// stop turns true; false when the system cannot (the pages then come on first touch).
bool PrefaultPages(void* p, std::size_t size, const std::atomic<bool>* stop);
// Asks for huge pages in the whole 2 MiB frames inside [p, p+size) of a fresh allocation.
void AdviseHugePages(void* p, std::size_t size);

}  // namespace plat
