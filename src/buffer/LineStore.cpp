// The line store's gap array and text arena.
#include "buffer/LineStore.h"

#include <cstring>

#include "platform/base/PageMemory.h"

CLineArray::~CLineArray() { plat::FreePages(data, capacity * sizeof(LineRecord)); }

bool CLineArray::Reserve(std::size_t records) {
  if (records <= capacity) return true;
  const std::size_t oldBytes = capacity * sizeof(LineRecord);
  const std::size_t newBytes = records * sizeof(LineRecord);
  void* p = plat::ReallocPages(data, oldBytes, newBytes);
  if (!p) return false;
  data = static_cast<LineRecord*>(p);
  // The records after the gap move to the new end.
  const std::size_t tail = capacity - static_cast<std::size_t>(gapStart) - static_cast<std::size_t>(gapLength());
  if (tail) std::memmove(data + records - tail, data + capacity - tail, tail * sizeof(LineRecord));
  capacity = records;
  return true;
}

void CLineArray::MoveGap(int index) {
  const int gap = gapLength();
  if (index < gapStart) {
    std::memmove(data + index + gap, data + index, static_cast<std::size_t>(gapStart - index) * sizeof(LineRecord));
  } else if (index > gapStart) {
    std::memmove(data + gapStart, data + gapStart + gap, static_cast<std::size_t>(index - gapStart) * sizeof(LineRecord));
  }
  gapStart = index;
}

bool CLineArray::Insert(int index, const LineRecord* records, int n) {
  if (n <= 0) return true;
  const std::size_t need = static_cast<std::size_t>(count) + static_cast<std::size_t>(n);
  if (need > capacity) {
    std::size_t grown = capacity < 4096 ? 4096 : capacity * 2;
    while (grown < need) grown *= 2;
    if (!Reserve(grown)) return false;
  }
  MoveGap(index);
  std::memcpy(data + gapStart, records, static_cast<std::size_t>(n) * sizeof(LineRecord));
  gapStart += n;
  count += n;
  return true;
}

void CLineArray::Remove(int index, int n) {
  if (n <= 0) return;
  MoveGap(index);
  count -= n;  // the removed records join the gap after it
}

void CLineArray::Clear() {
  plat::FreePages(data, capacity * sizeof(LineRecord));
  data = nullptr;
  capacity = 0;
  count = 0;
  gapStart = 0;
}

char16_t* CTextArena::Reserve(std::size_t units, std::size_t chunkUnits) {
  if (!chunks.empty() && chunks.back().units - used >= units) return chunks.back().base + used;
  std::size_t size = chunkUnits < units ? units : chunkUnits;
  const std::size_t bytes = size * sizeof(char16_t);
  void* p = plat::AllocPages(bytes, bytes >= (std::size_t{8} << 20));
  if (!p) return nullptr;
  chunks.push_back({static_cast<char16_t*>(p), size});
  used = 0;
  return chunks.back().base;
}

void CTextArena::Release() {
  for (auto& c : chunks) plat::FreePages(c.base, c.units * sizeof(char16_t));
  chunks.clear();
  used = 0;
}
