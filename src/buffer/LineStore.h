// The line store: line records in a gap array, and the arena that holds loaded line text.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// One line: its UTF-16 units (not terminated), length, capacity (a multiple of 16) and
// flag word. Text loaded from a file lives in the arena; text that grew lives on the heap.
struct LineRecord {
  char16_t* text = nullptr;
  std::int32_t length = 0;
  std::int32_t capacity = 0;
  std::uint32_t flags = 0;
  std::uint32_t onHeap = 0;  // the text block is ours to free
};

// Capacity for a line of n units: the next multiple of 16 above n.
constexpr std::int32_t LineCapacity(std::int64_t n) { return static_cast<std::int32_t>((n / 16 + 1) * 16); }

// Records kept in page memory with a gap at the last edit, so that inserting or removing
// lines near the previous edit costs nothing proportional to the whole text, and growing
// never copies.
class CLineArray {
 public:
  CLineArray() = default;
  CLineArray(const CLineArray&) = delete;
  CLineArray& operator=(const CLineArray&) = delete;
  ~CLineArray();

  int Count() const { return count; }
  LineRecord& operator[](int i) { return data[i < gapStart ? i : i + gapLength()]; }
  const LineRecord& operator[](int i) const { return data[i < gapStart ? i : i + gapLength()]; }

  bool Reserve(std::size_t records);
  bool Insert(int index, const LineRecord* records, int n);  // false when out of memory
  void Remove(int index, int n);                              // does not free line text
  void Clear();                                               // does not free line text

 private:
  int gapLength() const { return static_cast<int>(capacity) - count; }
  void MoveGap(int index);
  LineRecord* data = nullptr;
  std::size_t capacity = 0;  // records
  int count = 0;
  int gapStart = 0;
};

// Bump allocation of line text in large page-backed chunks, released all at once.
class CTextArena {
 public:
  CTextArena() = default;
  CTextArena(const CTextArena&) = delete;
  CTextArena& operator=(const CTextArena&) = delete;
  ~CTextArena() { Release(); }

  // Room for at least units more; chunkUnits sizes a new chunk when one is needed.
  char16_t* Reserve(std::size_t units, std::size_t chunkUnits);
  void Commit(std::size_t units) { used += units; }
  void Release();

 private:
  struct Chunk {
    char16_t* base;
    std::size_t units;
  };
  std::vector<Chunk> chunks;
  std::size_t used = 0;  // units used in the last chunk
};
