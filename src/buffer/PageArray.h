// A growable array of plain values in page memory: growing remaps the pages instead of
// copying them, large arrays get huge pages, and only the values added are written.
#pragma once
#include <algorithm>
#include <cstddef>
#include <new>
#include <type_traits>

#include "platform/base/PageMemory.h"

template <class T>
class CPageArray {
  static_assert(std::is_trivially_copyable_v<T>, "values are moved as bytes");

 public:
  CPageArray() = default;
  CPageArray(const CPageArray&) = delete;
  CPageArray& operator=(const CPageArray&) = delete;
  ~CPageArray() { Clear(); }

  std::size_t size() const { return count; }
  T& operator[](std::size_t i) { return data[i]; }
  const T& operator[](std::size_t i) const { return data[i]; }

  // Grows (or shrinks) to n values; values added are set to fill. Throws std::bad_alloc
  // with the array unchanged when memory runs out.
  void Resize(std::size_t n, const T& fill) {
    const std::size_t from = count;
    Resize(n);
    if (n > from) std::fill(data + from, data + n, fill);
  }
  // The same, leaving the values added unset (for callers that write before they read).
  void Resize(std::size_t n) {
    if (n > capacity) {
      const std::size_t bytes = (n * sizeof(T) + kPage - 1) / kPage * kPage;
      void* p = plat::ReallocPages(data, capacity * sizeof(T), bytes);
      if (!p) throw std::bad_alloc();
      data = static_cast<T*>(p);
      capacity = bytes / sizeof(T);
    }
    count = n;
  }

  void Clear() {
    plat::FreePages(data, capacity * sizeof(T));
    data = nullptr;
    capacity = count = 0;
  }

 private:
  static constexpr std::size_t kPage = 4096;
  T* data = nullptr;
  std::size_t count = 0, capacity = 0;
};
