// Heap blocks of line text and the text arena.
#include "buffer/LineStore.h"

#include <cstdlib>
#include <cstring>

#include "platform/base/PageMemory.h"

char16_t* HeapLineText::Allocate(std::int32_t capacity) {
  auto* block = static_cast<char*>(std::malloc(kHeader + static_cast<std::size_t>(capacity) * sizeof(char16_t)));
  if (!block) return nullptr;
  std::memcpy(block, &capacity, sizeof capacity);
  return reinterpret_cast<char16_t*>(block + kHeader);
}

void HeapLineText::Free(char16_t* text) {
  if (text) std::free(reinterpret_cast<char*>(text) - kHeader);
}

char16_t* CTextArena::Reserve(std::size_t units, std::size_t chunkUnits) {
  if (!chunks.empty() && chunks.back().units - used >= units) return chunks.back().base + used;
  std::size_t size = chunkUnits < units ? units : chunkUnits;
  const std::size_t bytes = size * sizeof(char16_t);
  // Huge pages where the chunk holds whole ones: a large text then costs a fault every
  // 2 MiB rather than every 4 KiB, and on a virtual machine, where a fault can cost some
  // microseconds, the faults of small pages took as long as the rest of the load.
  void* p = plat::AllocPages(bytes, true);
  if (!p) return nullptr;
  chunks.push_back({static_cast<char16_t*>(p), size});
  used = 0;
  return chunks.back().base;
}

void CTextArena::Trim() {
  if (chunks.empty()) return;
  Chunk& c = chunks.back();
  constexpr std::size_t kPage = 4096;
  const std::size_t oldBytes = c.units * sizeof(char16_t);
  // One unit more than used, so that an empty last line still points inside the chunk.
  const std::size_t keep = ((used + 1) * sizeof(char16_t) + kPage - 1) / kPage * kPage;
  if (keep == 0 || keep >= oldBytes) return;
  // The tail is unmapped where it lies, so the text's pointers stay valid.
  plat::FreePages(reinterpret_cast<char*>(c.base) + keep, oldBytes - keep);
  c.units = keep / sizeof(char16_t);
}

void CTextArena::Release() {
  for (auto& c : chunks) plat::FreePages(c.base, c.units * sizeof(char16_t));
  chunks.clear();
  used = 0;
}
