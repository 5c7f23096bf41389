// A forward search within one line at a time, with the rules of the view's search: case
// folded or not, whole words or not.
#pragma once
#include <cstddef>
#include <string>

#include "platform/base/Types.h"

class CLineSearch {
 public:
  static constexpr int kOwnUnit = -2;  // judge a whole word by the line's own unit before
  static constexpr int kNoUnit = -1;   // nothing stands before

  // The search text and the view's search flags (match case, whole word).
  CLineSearch(const std::u16string& text, DWORD flags);

  int Length() const { return static_cast<int>(needle.size()); }
  // The line to look in; with case ignored it is folded once, here.
  void SetLine(const char16_t* text, int length);
  // The first match at or after from, or -1. A whole word looks at the unit before a match;
  // for a match at from that is before (a folded unit, or kNoUnit) unless it is kOwnUnit,
  // so that a replacement already made in front of from counts as what it is.
  int Find(int from, int before = kOwnUnit) const;
  // False when the text cannot hold a match: no place where the first and the last unit of
  // the search text could both stand. A quick look at a line before searching it; whole
  // words are not judged.
  bool MayHold(const char16_t* text, int length) const;
  // The first of n lines that may hold a match by the same look, or n; lines that lie one
  // after the other in memory, one unit apart, are looked at together.
  int FirstThatMayHold(const char16_t* const* texts, const int* lengths, int n) const;
  // The unit at i of the line as the search compares it.
  char16_t Unit(int i) const { return hay[i]; }
  // A unit as the search compares it.
  char16_t Fold(char16_t c) const;

 private:
  // The first place in n units where a match could start by the look, or -1.
  std::ptrdiff_t FirstPlace(const char16_t* text, std::ptrdiff_t n) const;

  std::u16string needle;
  bool matchCase, wholeWord;
  // What MayHold looks for: the units that may stand at the first and the last place of a
  // match, and the bits of a unit that make it a candidate anywhere (with case ignored, a
  // unit beyond ASCII may fold to an ASCII one).
  char16_t firstUnits[2] = {}, lastUnits[2] = {};
  char16_t anyBits = 0;
  bool filters = false;
  const char16_t* hay = nullptr;
  int length = 0;
  std::u16string piece;  // the folded line
};
