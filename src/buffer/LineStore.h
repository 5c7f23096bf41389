// The line store: line records in blocks, and the arena that holds loaded line text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "buffer/BlockedArray.h"

// One line: its UTF-16 units (not terminated), length and flag word, 16 bytes. Text
// loaded from a file lives in the arena, packed, each line after one unit holding its room
// (its loaded length); text that grew lives in a heap block that records its capacity just
// before the text (see HeapLineText).
struct LineRecord {
  char16_t* text = nullptr;
  std::int32_t length = 0;
  std::uint32_t flags = 0;
};
static_assert(sizeof(LineRecord) == 16, "a line costs 16 bytes besides its text");

// Capacity for a line of n units: the next multiple of 16 above n.
constexpr std::int32_t LineCapacity(std::int64_t n) { return static_cast<std::int32_t>((n / 16 + 1) * 16); }

// Heap blocks of line text: a header holding the capacity, then the units.
namespace HeapLineText {
constexpr std::size_t kHeader = 8;  // keeps the units 8-byte aligned
// A block for capacity units; null when memory runs out.
char16_t* Allocate(std::int32_t capacity);
void Free(char16_t* text);
inline std::int32_t Capacity(const char16_t* text) {
  std::int32_t c;
  std::memcpy(&c, reinterpret_cast<const char*>(text) - kHeader, sizeof c);
  return c;
}
}  // namespace HeapLineText

// Line records in blocks of 1024 (16 KiB): an edit anywhere moves at most one block.
using CLineArray = CBlockedArray<LineRecord, 1024>;

// Bump allocation of line text in large page-backed chunks, released all at once.
class CTextArena {
 public:
  CTextArena() = default;
  CTextArena(const CTextArena&) = delete;
  CTextArena& operator=(const CTextArena&) = delete;
  ~CTextArena() { Release(); }

  // Room for at least units more; chunkUnits sizes a new chunk when one is needed.
  char16_t* Reserve(std::size_t units, std::size_t chunkUnits);
  // Where the next units go, and how many the last chunk still has room for.
  char16_t* Next() const { return chunks.empty() ? nullptr : chunks.back().base + used; }
  std::size_t Room() const { return chunks.empty() ? 0 : chunks.back().units - used; }
  void Commit(std::size_t units) { used += units; }
  // True when p points into the arena's text.
  bool Owns(const char16_t* p) const {
    for (const auto& c : chunks)
      if (p >= c.base && p < c.base + c.units) return true;
    return false;
  }
  // Gives back the unused end of the last chunk (the text is complete).
  void Trim();
  void Release();

 private:
  struct Chunk {
    char16_t* base;
    std::size_t units;
  };
  std::vector<Chunk> chunks;
  std::size_t used = 0;  // units used in the last chunk
};
