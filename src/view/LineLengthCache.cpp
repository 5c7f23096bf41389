// The expanded-length cache and the histogram of lengths behind the longest line.
#include "view/LineLengthCache.h"

#include <algorithm>

void CLineLengthCache::Reset() {
  built = false;
  lengths.Clear();
  counts.clear();
  dirty.clear();
  top = 0;
}

void CLineLengthCache::Count(int length, int delta) {
  if (length < 0) return;
  if (static_cast<std::size_t>(length) >= counts.size()) counts.resize(static_cast<std::size_t>(length) + 1, 0);
  counts[length] += delta;
  if (delta > 0 && length > top) top = length;
}

void CLineLengthCache::Forget(int line) {
  if (line < 0 || line >= lengths.Count()) return;
  int& v = lengths[line];
  if (v >= 0) {
    Count(v, -1);
    v = -1;
  }
  dirty.push_back(line);
}

void CLineLengthCache::LineChanged(int line) {
  if (built) Forget(line);
}

void CLineLengthCache::LinesInserted(int start, int count) {
  if (!built) return;
  if (start < 0 || start >= lengths.Count() || count < 0) {
    Reset();
    return;
  }
  Forget(start);
  for (int& d : dirty)
    if (d > start) d += count;
  lengths.InsertCopies(start + 1, -1, count);
  for (int i = 1; i <= count; ++i) dirty.push_back(start + i);
}

void CLineLengthCache::LinesRemoved(int start, int count) {
  if (!built) return;
  if (start < 0 || count < 0 || start + count >= lengths.Count()) {
    Reset();
    return;
  }
  for (int i = start + 1; i <= start + count; ++i) Count(lengths[i], -1);
  lengths.Remove(start + 1, count);
  dirty.erase(std::remove_if(dirty.begin(), dirty.end(), [&](int d) { return d > start && d <= start + count; }), dirty.end());
  for (int& d : dirty)
    if (d > start + count) d -= count;
  Forget(start);
}
