// The plain text matching the importers do on a line.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/base/CharClass.h"

namespace import_text {

inline bool Contains(std::u16string_view line, std::u16string_view what) {
  return line.find(what) != std::u16string_view::npos;
}

// Lines naming images, icons and cursors never become files.
inline bool NamesImage(std::u16string_view line) {
  return Contains(line, u".bmp") || Contains(line, u".ico") || Contains(line, u".cur");
}

// Replaces every occurrence, left to right; returns how many there were. (No replacement
// the importers make can form a new occurrence with its neighbours.)
inline int ReplaceEvery(std::u16string& line, std::u16string_view what, std::u16string_view with) {
  std::size_t at = line.find(what);
  if (at == std::u16string::npos) return 0;
  std::u16string out;
  out.reserve(line.size());
  std::size_t from = 0;
  int count = 0;
  for (; at != std::u16string::npos; at = line.find(what, from)) {
    out.append(line, from, at - from);
    out.append(with);
    from = at + what.size();
    ++count;
  }
  out.append(line, from, std::u16string::npos);
  line.swap(out);
  return count;
}

inline void RemoveEvery(std::u16string& line, char16_t c) { std::erase(line, c); }

inline void TrimLeftSpace(std::u16string& line) {
  std::size_t i = 0;
  while (i < line.size() && plat::IsSpace(line[i])) ++i;
  line.erase(0, i);
}

inline void TrimRightSpace(std::u16string& line) {
  std::size_t n = line.size();
  while (n > 0 && plat::IsSpace(line[n - 1])) --n;
  line.resize(n);
}

}  // namespace import_text
