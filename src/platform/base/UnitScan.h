// Looking at UTF-16 text many units, or many lines, at a time.
#pragma once
#include <cstring>

namespace plat {

// Eight units in one value of the compiler's vector types (any target GCC and Clang build
// for); comparisons give a lane of all ones where they hold.
using Units8 = unsigned short __attribute__((vector_size(16)));

inline Units8 LoadUnits8(const char16_t* p) {
  Units8 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}
// The unit in all eight lanes.
inline Units8 SpreadUnit(char16_t c) { return Units8{} + static_cast<unsigned short>(c); }
// Whether any lane is set.
inline bool AnyLane(const Units8& v) {
  unsigned long long halves[2];
  std::memcpy(halves, &v, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

// The end of the stretch of lines from i (below n) that lie one after the other in memory,
// one unit apart, as loaded text lies: such lines, and the units between them, can be looked
// at in one pass.
inline int StretchEnd(const char16_t* const* texts, const int* lengths, int i, int n) {
  int end = i + 1;
  while (end < n && texts[end - 1] && texts[end] == texts[end - 1] + lengths[end - 1] + 1) ++end;
  return end;
}

}  // namespace plat
