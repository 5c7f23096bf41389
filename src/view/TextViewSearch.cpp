// CCrystalTextView: searching the text line by line.
#include <algorithm>
#include <cstring>

#include "platform/base/CharClass.h"
#include "platform/base/Strings.h"
#include "platform/base/UnitScan.h"
#include "view/CrystalTextView.h"
#include "view/LineSearch.h"

namespace {
bool IsWordChar(char16_t c) { return plat::IsAlpha(c) || plat::IsDigit(c) || c == u'_'; }

bool IsWholeWordAt(const std::u16string& text, std::size_t at, std::size_t length) {
  const std::size_t end = at + length;
  return (at == 0 || !IsWordChar(text[at - 1])) && (end >= text.size() || !IsWordChar(text[end]));
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// The rest of a candidate match: a short word compares faster in place than through memcmp.
bool SameUnits(const char16_t* a, const char16_t* b, std::size_t n) {
  if (n > 8) return std::memcmp(a, b, n * sizeof(char16_t)) == 0;
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// First index at or after from where needle starts in hay. The needle's first unit is found
// by memchr on its low byte (little-endian: the even offsets), which scans at memory speed.
std::size_t FindUnits(const char16_t* hay, std::size_t n, const char16_t* needle, std::size_t m, std::size_t from) {
  if (m == 0 || n < m || from > n - m) return kNone;
  const char16_t first = needle[0];
  const auto low = static_cast<unsigned char>(first & 0xFF);
  const char* base = reinterpret_cast<const char*>(hay);
  const std::size_t last = n - m;
  for (std::size_t i = from; i <= last;) {
    const void* hit = std::memchr(base + 2 * i, low, 2 * (last - i) + 1);
    if (!hit) return kNone;
    const std::size_t off = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
    const std::size_t k = off / 2;
    if ((off & 1) == 0 && hay[k] == first && SameUnits(hay + k + 1, needle + 1, m - 1)) return k;
    i = k + 1;
  }
  return kNone;
}

// Upper case of n units; ASCII lines (nearly all of them) take one pass of a loop the
// compiler vectorises, folding and noting whether anything was beyond ASCII as it goes.
void FoldUpper(const char16_t* src, std::size_t n, char16_t* dst) {
  char16_t any = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = src[i];
    any |= c;
    dst[i] = static_cast<char16_t>(c - (static_cast<char16_t>(c - u'a') < 26 ? 32 : 0));
  }
  if (any < 0x80) return;
  std::memcpy(dst, src, n * sizeof(char16_t));
  plat::ToUpperInPlace(dst, n);
}
}  // namespace

CLineSearch::CLineSearch(const std::u16string& text, DWORD flags)
    : needle((flags & SearchMatchCase) ? text : plat::ToUpper(text)),
      matchCase(flags & SearchMatchCase),
      wholeWord(flags & SearchWholeWord) {
  if (needle.empty()) return;
  // With case ignored the line is upper-cased: an ASCII letter matches in either case, and
  // what lies beyond ASCII is left to the search itself. A search text whose first or last
  // unit is beyond ASCII has no quick look.
  auto units = [this](char16_t c, char16_t (&out)[2]) {
    out[0] = out[1] = c;
    if (matchCase) return true;
    if (c >= 0x80) return false;
    if (c >= u'A' && c <= u'Z') out[1] = static_cast<char16_t>(c + 32);
    return true;
  };
  filters = units(needle.front(), firstUnits) && units(needle.back(), lastUnits);
  anyBits = matchCase ? 0 : 0xFF80;
}

namespace {
using plat::Units8;

// Whether any of the eight places from text (first units) and tail (last units) is a hit.
template <bool Fold>
bool AnyOfEight(const char16_t* text, const char16_t* tail, const Units8 (&first)[2], const Units8 (&last)[2],
                const Units8& any) {
  const Units8 a = plat::LoadUnits8(text), b = plat::LoadUnits8(tail), none{};
  if constexpr (Fold)
    return plat::AnyLane(((a == first[0]) | (a == first[1]) | ((a & any) != none)) &
                         ((b == last[0]) | (b == last[1]) | ((b & any) != none)));
  else
    return plat::AnyLane((a == first[0]) & (b == last[0]));
}

// The first place i below places with a unit of first at text[i] and of last at tail[i], or
// -1; with Fold, a unit holding any of the bits of any also counts at either place.
template <bool Fold>
std::ptrdiff_t FirstPlaceOf(const char16_t* text, const char16_t* tail, std::ptrdiff_t places, const char16_t (&first)[2],
                            const char16_t (&last)[2], char16_t any) {
  auto at = [&](std::ptrdiff_t i) {
    const char16_t a = text[i], b = tail[i];
    if constexpr (Fold)
      return (a == first[0] || a == first[1] || (a & any)) && (b == last[0] || b == last[1] || (b & any));
    else
      return a == first[0] && b == last[0];
  };
  // Eight places at a time; a hit among them is then looked for one by one.
  const Units8 firstUnits[2] = {plat::SpreadUnit(first[0]), plat::SpreadUnit(first[1])};
  const Units8 lastUnits[2] = {plat::SpreadUnit(last[0]), plat::SpreadUnit(last[1])};
  const Units8 anyUnits = plat::SpreadUnit(any);
  std::ptrdiff_t i = 0;
  for (; i + 8 <= places; i += 8)
    if (AnyOfEight<Fold>(text + i, tail + i, firstUnits, lastUnits, anyUnits))
      for (std::ptrdiff_t k = i;; ++k)
        if (at(k)) return k;
  for (; i < places; ++i)
    if (at(i)) return i;
  return -1;
}
}  // namespace

std::ptrdiff_t CLineSearch::FirstPlace(const char16_t* text, std::ptrdiff_t n) const {
  const auto m = static_cast<std::ptrdiff_t>(needle.size());
  if (n < m) return -1;
  if (m == 0 || !filters) return 0;
  // The last unit of a match that starts at i is at tail[i].
  const char16_t* tail = text + (m - 1);
  const std::ptrdiff_t places = n - m + 1;
  return matchCase ? FirstPlaceOf<false>(text, tail, places, firstUnits, lastUnits, 0)
                   : FirstPlaceOf<true>(text, tail, places, firstUnits, lastUnits, anyBits);
}

bool CLineSearch::MayHold(const char16_t* text, int n) const { return FirstPlace(text, n) >= 0; }

int CLineSearch::FirstThatMayHold(const char16_t* const* texts, const int* lengths, int n) const {
  const int m = Length();
  // A stretch of lines is looked at in one pass; a place found across two lines (or on the
  // unit between them) is passed.
  for (int i = 0; i < n;) {
    if (lengths[i] < m) {
      ++i;
      continue;
    }
    const int end = plat::StretchEnd(texts, lengths, i, n);
    const char16_t* const stop = texts[end - 1] + lengths[end - 1];
    for (const char16_t* from = texts[i];;) {
      const std::ptrdiff_t at = FirstPlace(from, stop - from);
      if (at < 0) break;
      const char16_t* const place = from + at;
      // The line where a match from place would end, and whether it starts there too.
      while (texts[i] + lengths[i] < place + m) ++i;
      if (texts[i] <= place) return i;
      from = texts[i];
    }
    i = end;
  }
  return n;
}

char16_t CLineSearch::Fold(char16_t c) const {
  if (!matchCase) plat::ToUpperInPlace(&c, 1);
  return c;
}

void CLineSearch::SetLine(const char16_t* text, int n) {
  length = n;
  hay = text;
  if (matchCase || n <= 0) return;
  if (piece.size() < static_cast<std::size_t>(n)) piece.resize(static_cast<std::size_t>(n) * 2);
  FoldUpper(text, static_cast<std::size_t>(n), piece.data());
  hay = piece.data();
}

int CLineSearch::Find(int from, int before) const {
  if (from < 0) from = 0;
  if (from >= length) return -1;
  if (needle.empty()) return from;  // an empty text matches where the search starts
  const std::size_t m = needle.size(), n = static_cast<std::size_t>(length);
  for (std::size_t at = static_cast<std::size_t>(from);; ++at) {
    at = FindUnits(hay, n, needle.data(), m, at);
    if (at == kNone) return -1;
    if (!wholeWord) return static_cast<int>(at);
    const bool startsWord = at == static_cast<std::size_t>(from) && before != kOwnUnit
                                ? before == kNoUnit || !IsWordChar(static_cast<char16_t>(before))
                                : at == 0 || !IsWordChar(hay[at - 1]);
    if (startsWord && (at + m >= n || !IsWordChar(hay[at + m]))) return static_cast<int>(at);
  }
}

int CCrystalTextView::FindLineThatMayHold(const CLineSearch& search, int first, int end) {
  end = std::min(end, GetLineCount());
  const char16_t* texts[kParseBatch];
  int lengths[kParseBatch];
  // The batch grows while nothing is found, so that matches close together do not pay for
  // lines read far ahead.
  for (int k = 8; first < end; k = std::min(2 * k, kParseBatch)) {
    const int n = std::min(k, end - first);
    GatherLines(first, n, texts, lengths);
    const int i = search.FirstThatMayHold(texts, lengths, n);
    if (i < n) return first + i;
    first += n;
  }
  return -1;
}

int CCrystalTextView::FindInString(const std::u16string& lineText, const std::u16string& needle, bool wholeWord) {
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = lineText.find(needle, from);
    if (at == std::u16string::npos) return -1;
    if (!wholeWord) return static_cast<int>(at);
    if (IsWholeWordAt(lineText, at, needle.size())) return static_cast<int>(at);
    from = at + 1;
  }
}

bool CCrystalTextView::SearchText(const std::u16string& text, CPoint start, DWORD flags, bool wrap, CPoint& found) {
  const bool matchCase = flags & SearchMatchCase;
  const bool wholeWord = flags & SearchWholeWord;
  const std::u16string needle = matchCase ? text : plat::ToUpper(text);
  const int count = GetLineCount();
  if (start.y < 0 || (start.y == 0 && start.x < 0)) start = CPoint(0, 0);
  if (start.y >= count) start = CPoint(GetLineLength(count - 1), count - 1);
  std::u16string piece;
  // Lines are searched where they lie; with case ignored each is upper-cased once into a
  // reused buffer. The whole line is looked at, so a word boundary is never invented at
  // the start column.
  CLineSearch lineSearch(text, flags);
  auto search = [&](int line, int from) -> int {
    const int length = GetLineLength(line);
    if (from < 0) from = 0;
    if (from >= length) return -1;
    lineSearch.SetLine(GetLineText(line), length);
    return lineSearch.Find(from);
  };
  if (!(flags & SearchUp)) {
    for (int pass = 0; pass < 2; ++pass) {
      for (int line = start.y; line < count; ++line) {
        // Lines that cannot hold a match are passed over many at a time.
        if (line != start.y) {
          line = FindLineThatMayHold(lineSearch, line, count);
          if (line < 0) break;
        }
        const int at = search(line, line == start.y ? start.x : 0);
        if (at >= 0) {
          found = CPoint(at, line);
          return true;
        }
      }
      if (!wrap) return false;
      wrap = false;
      start = CPoint(0, 0);
    }
    return false;
  }
  // Upward, a line yields its last acceptable occurrence; on the start line only one that
  // ends at or before the start, so that searching up never lands after the caret.
  auto searchBack = [&](int line, int limit) -> int {
    const int length = GetLineLength(line);
    if (limit > length) limit = length;
    if (limit <= 0) return -1;
    const char16_t* lineText = GetLineText(line);
    if (!lineSearch.MayHold(lineText, length)) return -1;
    piece.assign(lineText, static_cast<std::size_t>(length));
    if (!matchCase) plat::ToUpperInPlace(piece.data(), piece.size());
    int last = -1;
    for (std::size_t from = 0; from <= piece.size();) {
      const std::size_t at = piece.find(needle, from);
      if (at == std::u16string::npos || at + needle.size() > static_cast<std::size_t>(limit)) break;
      if (!wholeWord || IsWholeWordAt(piece, at, needle.size())) last = static_cast<int>(at);
      from = at + 1;
    }
    return last;
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (int line = start.y; line >= 0; --line) {
      const int at = searchBack(line, line == start.y ? start.x : GetLineLength(line));
      if (at >= 0) {
        found = CPoint(at, line);
        return true;
      }
    }
    if (!wrap) return false;
    wrap = false;
    start = CPoint(GetLineLength(count - 1), count - 1);
  }
  return false;
}
