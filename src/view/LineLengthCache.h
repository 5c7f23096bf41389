// Expanded line lengths per line and the longest of them, kept up to date edit by edit so
// that the horizontal extent never needs a scan of the whole text after the first.
#pragma once
#include <algorithm>
#include <vector>

#include "buffer/BlockedArray.h"

class CLineLengthCache {
 public:
  // Everything unknown: nothing is cached until the longest line is asked for.
  void Reset();
  bool IsBuilt() const { return built; }

  // The length of a line, from the cache when known; compute(line) gives it otherwise.
  template <class F>
  int Get(int line, F&& compute) {
    if (!built || line < 0 || line >= lengths.Count()) return compute(line);
    int& v = lengths[line];
    if (v < 0) {
      v = compute(line);
      Count(v, +1);
    }
    return v;
  }

  // The longest line over lineCount lines. The cache is built on first use by fill(sink),
  // which gives every line's length to sink in order (one pass over the whole text); lines
  // changed since are measured again by compute(line).
  template <class F, class Fill>
  int Max(int lineCount, F&& compute, Fill&& fill) {
    if (!built || lengths.Count() != lineCount) {
      Reset();
      built = true;
      fill([this](int v) {
        lengths.PushBack(v);
        Count(v, +1);
      });
      dirty.clear();
    }
    for (int line : dirty)
      if (line >= 0 && line < lineCount) Get(line, compute);
    dirty.clear();
    while (top > 0 && counts[top] == 0) --top;
    return top;
  }

  // The longest of the lines other than line (0 when there are none).
  template <class F, class Fill>
  int MaxExcept(int line, int lineCount, F&& compute, Fill&& fill) {
    const int longest = Max(lineCount, compute, fill);
    if (line < 0 || line >= lengths.Count()) return longest;
    if (Get(line, compute) != longest || counts[static_cast<std::size_t>(longest)] > 1) return longest;
    int k = longest - 1;  // a histogram of lengths: the next one down
    while (k > 0 && counts[static_cast<std::size_t>(k)] == 0) --k;
    return std::max(k, 0);
  }

  // The text of one line changed.
  void LineChanged(int line);
  // Line start changed and count new lines follow it.
  void LinesInserted(int start, int count);
  // Lines start+1 .. start+count were removed and line start changed.
  void LinesRemoved(int start, int count);

 private:
  void Forget(int line);
  void Count(int length, int delta);

  bool built = false;
  CBlockedArray<int, 4096> lengths;  // -1: not known; blocked, so lines come and go cheaply
  std::vector<int> counts;   // how many known lines have each length
  int top = 0;               // no known line is longer than this
  std::vector<int> dirty;    // lines whose length is to be measured again
};
