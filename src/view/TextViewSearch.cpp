// CCrystalTextView: searching the text line by line.
#include "platform/base/CharClass.h"
#include "platform/base/Strings.h"
#include "view/CrystalTextView.h"

namespace {
bool IsWordChar(char16_t c) { return plat::IsAlpha(c) || plat::IsDigit(c) || c == u'_'; }

bool IsWholeWordAt(const std::u16string& text, std::size_t at, std::size_t length) {
  const std::size_t end = at + length;
  return (at == 0 || !IsWordChar(text[at - 1])) && (end >= text.size() || !IsWordChar(text[end]));
}
}  // namespace

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
  // Each line piece is copied once, and upper-cased when case does not matter.
  auto search = [&](int line, int from) -> int {
    const int length = GetLineLength(line);
    if (from < 0) from = 0;
    if (from >= length) return -1;
    piece.assign(GetLineText(line) + from, static_cast<std::size_t>(length - from));
    if (!matchCase) plat::ToUpperInPlace(piece.data(), piece.size());
    const int i = FindInString(piece, needle, wholeWord);
    return i < 0 ? -1 : from + i;
  };
  if (!(flags & SearchUp)) {
    for (int pass = 0; pass < 2; ++pass) {
      for (int line = start.y; line < count; ++line) {
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
    piece.assign(GetLineText(line), static_cast<std::size_t>(length));
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
