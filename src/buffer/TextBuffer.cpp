// CCrystalTextBuffer: the line store, line flags, views and the edits without history.
#include "buffer/TextBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/base/PageMemory.h"

namespace {

bool OneBit(DWORD flag) { return flag != 0 && (flag & (flag - 1)) == 0; }

}  // namespace

void CInsertContext::RecalcPoint(CPoint& p) {
  if (p.y < start.y) return;
  if (p.y > start.y) {
    p.y += end.y - start.y;
    return;
  }
  if (p.x <= start.x) return;
  p.y += end.y - start.y;
  p.x = p.x - start.x + end.x;
}

void CDeleteContext::RecalcPoint(CPoint& p) {
  if (p.y < start.y) return;
  if (p.y > end.y) {
    p.y -= end.y - start.y;
    return;
  }
  if (p.y == end.y && p.x >= end.x) {
    p.y = start.y;
    p.x = p.x - end.x + start.x;
    return;
  }
  if (p.y == start.y) {
    if (p.x > start.x) p.x = start.x;
    return;
  }
  p = start;
}

void CReplaceContext::RecalcPoint(CPoint& p) {
  if (p.y != line) return;
  const int grow = replacementLength - length;
  for (int i = 0; i < count; ++i) {
    const int at = starts[i] + i * grow;  // where this match stands when its turn comes
    if (p.x <= at) return;                // before it, and so before every later one
    // Its delete, then its insert.
    p.x = p.x >= at + length ? p.x - length : at;
    if (replacementLength > 0 && p.x > at) p.x += replacementLength;
  }
}

CCrystalTextBuffer::~CCrystalTextBuffer() { FreeAll(); }

LineRecord CCrystalTextBuffer::NewLine(const char16_t* text, int n) {
  LineRecord rec;
  rec.text = HeapLineText::Allocate(LineCapacity(n));
  if (!rec.text) throw std::bad_alloc();
  if (n > 0) std::memcpy(rec.text, text, static_cast<std::size_t>(n) * sizeof(char16_t));
  rec.length = n;
  return rec;
}

int CCrystalTextBuffer::LineCapacityOf(const LineRecord& rec) const {
  if (!rec.text) return 0;
  // Loaded text is packed, each line after a unit that holds its room.
  if (arena.Owns(rec.text)) return rec.text[-1];
  return HeapLineText::Capacity(rec.text);
}

void CCrystalTextBuffer::FreeLineText(LineRecord& rec) {
  if (rec.text && !arena.Owns(rec.text)) HeapLineText::Free(rec.text);
  rec.text = nullptr;
  rec.length = 0;
}

void CCrystalTextBuffer::AppendToLine(int line, const char16_t* text, int n) {
  if (n <= 0) return;
  LineRecord& rec = lines[line];
  if (LineCapacityOf(rec) < rec.length + n) {
    const std::int32_t cap = LineCapacity(static_cast<std::int64_t>(rec.length) + n);
    char16_t* p = HeapLineText::Allocate(cap);
    if (!p) throw std::bad_alloc();
    if (rec.length) std::memcpy(p, rec.text, static_cast<std::size_t>(rec.length) * sizeof(char16_t));
    const int length = rec.length;
    FreeLineText(rec);
    rec.text = p;
    rec.length = length;
  }
  std::memmove(rec.text + rec.length, text, static_cast<std::size_t>(n) * sizeof(char16_t));
  rec.length += n;
}

void CCrystalTextBuffer::InsertLines(int at, const LineRecord* records, int n) { lines.Insert(at, records, n); }

bool CCrystalTextBuffer::InitNew(int mode) {
  FreeAll();
  LineRecord empty = NewLine(nullptr, 0);
  InsertLines(0, &empty, 1);
  mayHoldTabs = false;
  initialized = true;
  readOnly = false;
  crlfMode = (mode >= 0 && mode <= 2) ? mode : CrlfModeDos;
  modified = false;
  undoPosition = 0;
  savePoint = 0;
  undoGroupOpen = false;
  beginGroupPending = false;
  UpdateViews(nullptr, nullptr, UpdateReset, -1);
  return true;
}

void CCrystalTextBuffer::FreeAll() {
  lines.ForEach([this](LineRecord& r) { FreeLineText(r); });
  lines.Clear();
  arena.Release();
  undo.clear();
  undoPosition = 0;
  savePoint = 0;
  undoGroupOpen = false;
  beginGroupPending = false;
  run = ReplaceRun();
  initialized = false;
}

int CCrystalTextBuffer::GetLineLength(int line) const {
  if (line < 0 || line >= lines.Count()) return 0;
  return lines[line].length;
}

const char16_t* CCrystalTextBuffer::GetLineChars(int line) const {
  if (line < 0 || line >= lines.Count()) return nullptr;
  return lines[line].text;
}

DWORD CCrystalTextBuffer::GetLineFlags(int line) const {
  if (line < 0 || line >= lines.Count()) return 0;
  return lines[line].flags;
}

void CCrystalTextBuffer::SetCRLFMode(int mode) {
  if (mode >= 0 && mode <= 2) crlfMode = mode;
}

int CCrystalTextBuffer::FindLineWithFlag(DWORD flag) const {
  for (int i = 0; i < lines.Count(); ++i)
    if (lines[i].flags & flag) return i;
  return -1;
}

int CCrystalTextBuffer::GetLineWithFlag(DWORD flag) const { return OneBit(flag) ? FindLineWithFlag(flag) : -1; }

void CCrystalTextBuffer::SetLineFlag(int line, DWORD flag, bool set, bool removeFromPreviousLine) {
  if (!OneBit(flag)) return;
  if (line == -1) {
    line = FindLineWithFlag(flag);
    if (line == -1) return;
    removeFromPreviousLine = false;
  }
  if (line < 0 || line >= lines.Count()) return;
  const DWORD old = lines[line].flags;
  const DWORD now = set ? (old | flag) : (old & ~flag);
  if (now == old) return;
  if (removeFromPreviousLine && set) {
    const int previous = FindLineWithFlag(flag);
    if (previous >= 0) {
      lines[previous].flags &= ~flag;
      UpdateViews(nullptr, nullptr, UpdateFlagsOnly | UpdateOneLine, previous);
    }
  }
  lines[line].flags = now;
  UpdateViews(nullptr, nullptr, UpdateFlagsOnly | UpdateOneLine, line);
}

void CCrystalTextBuffer::GetText(int startLine, int startChar, int endLine, int endChar, std::u16string& text,
                                 const char16_t* crlf) const {
  text.clear();
  const int count = lines.Count();
  if (count == 0) return;
  startLine = std::clamp(startLine, 0, count - 1);
  endLine = std::clamp(endLine, 0, count - 1);
  startChar = std::clamp(startChar, 0, lines[startLine].length);
  endChar = std::clamp(endChar, 0, lines[endLine].length);
  if (endLine < startLine || (endLine == startLine && endChar <= startChar)) return;
  const std::u16string_view eol = crlf ? std::u16string_view(crlf) : std::u16string_view(u"\r\n");
  if (startLine == endLine) {
    text.assign(lines[startLine].text + startChar, static_cast<std::size_t>(endChar - startChar));
    return;
  }
  // Exactly the size of the result: line ends go only between lines.
  std::size_t total = static_cast<std::size_t>(endLine - startLine) * eol.size();
  for (int i = startLine; i <= endLine; ++i) total += static_cast<std::size_t>(lines[i].length);
  text.reserve(total);
  // A big result is fresh memory; huge pages make touching it far cheaper.
  if (total * sizeof(char16_t) >= (std::size_t{8} << 20)) plat::AdviseHugePages(text.data(), total * sizeof(char16_t));
  text.append(lines[startLine].text + startChar, static_cast<std::size_t>(lines[startLine].length - startChar));
  text.append(eol);
  for (int i = startLine + 1; i < endLine; ++i) {
    text.append(lines[i].text, static_cast<std::size_t>(lines[i].length));
    text.append(eol);
  }
  text.append(lines[endLine].text, static_cast<std::size_t>(endChar));
}

void CCrystalTextBuffer::AddView(CBufferView* view) { views.push_back(view); }

void CCrystalTextBuffer::RemoveView(CBufferView* view) {
  auto it = std::find(views.begin(), views.end(), view);
  if (it != views.end()) views.erase(it);
}

void CCrystalTextBuffer::UpdateViews(CBufferView* source, CUpdateContext* context, DWORD flags, int line) {
  // A view may detach itself while being told; walk a copy (on the stack for the usual few
  // views, as an edit tells them every time).
  CBufferView* few[8];
  std::vector<CBufferView*> many;
  CBufferView** snapshot = few;
  const std::size_t n = views.size();
  if (n <= std::size(few)) {
    std::copy(views.begin(), views.end(), few);
  } else {
    many = views;
    snapshot = many.data();
  }
  for (std::size_t i = 0; i < n; ++i) snapshot[i]->OnBufferUpdate(source, context, flags, line);
}

bool CCrystalTextBuffer::InternalInsertText(CBufferView* source, int line, int pos, std::u16string_view text,
                                            int& endLine, int& endChar) {
  if (readOnly || !initialized) return false;
  if (line < 0 || line >= lines.Count() || pos < 0 || pos > lines[line].length) return false;
  if (!mayHoldTabs && text.find(u'\t') != text.npos) mayHoldTabs = true;

  // Split at CR; an LF right after a CR belongs to it.
  std::vector<std::u16string_view> pieces;
  std::size_t from = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r') {
      pieces.push_back(text.substr(from, i - from));
      if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      from = i + 1;
    }
  }
  pieces.push_back(text.substr(from));

  if (pieces.size() == 1) {
    // Within one line: open a hole at pos.
    const int n = static_cast<int>(text.size());
    LineRecord& rec = lines[line];
    const int tailLen = rec.length - pos;
    if (LineCapacityOf(rec) >= rec.length + n) {
      std::memmove(rec.text + pos + n, rec.text + pos, static_cast<std::size_t>(tailLen) * sizeof(char16_t));
      std::memcpy(rec.text + pos, text.data(), static_cast<std::size_t>(n) * sizeof(char16_t));
      rec.length += n;
    } else {
      std::u16string tail(rec.text + pos, static_cast<std::size_t>(tailLen));
      rec.length = pos;
      AppendToLine(line, text.data(), n);
      AppendToLine(line, tail.data(), tailLen);
    }
    endLine = line;
    endChar = pos + n;
    CInsertContext context(CPoint(pos, line), CPoint(endChar, endLine));
    UpdateViews(source, &context, UpdateHorzRange | UpdateOneLine, line);
  } else {
    LineRecord& first = lines[line];
    std::u16string tail(first.text + pos, static_cast<std::size_t>(first.length - pos));
    first.length = pos;
    AppendToLine(line, pieces[0].data(), static_cast<int>(pieces[0].size()));
    std::vector<LineRecord> added;
    added.reserve(pieces.size() - 1);
    try {
      for (std::size_t i = 1; i < pieces.size(); ++i)
        added.push_back(NewLine(pieces[i].data(), static_cast<int>(pieces[i].size())));
      InsertLines(line + 1, added.data(), static_cast<int>(added.size()));
    } catch (...) {
      for (auto& r : added) FreeLineText(r);
      throw;
    }
    endLine = line + static_cast<int>(added.size());
    endChar = lines[endLine].length;
    AppendToLine(endLine, tail.data(), static_cast<int>(tail.size()));
    CInsertContext context(CPoint(pos, line), CPoint(endChar, endLine));
    UpdateViews(source, &context, UpdateHorzRange | UpdateVertRange, line);
  }
  if (!modified) SetModified(true);
  return true;
}

bool CCrystalTextBuffer::ReplaceInLine(CBufferView* source, int line, const int* starts, int count, int length,
                                       std::u16string_view replacement) {
  if (readOnly || !initialized || count <= 0 || length <= 0) return false;
  if (line < 0 || line >= lines.Count() || replacement.find(u'\r') != replacement.npos) return false;
  const int oldLength = lines[line].length;
  for (int i = 0, next = 0; i < count; ++i) {
    if (starts[i] < next || starts[i] > oldLength - length) return false;
    next = starts[i] + length;
  }
  const int r = static_cast<int>(replacement.size());
  const std::int64_t newLength = oldLength + static_cast<std::int64_t>(count) * (r - length);
  if (newLength > (std::int64_t{1} << 30)) return false;
  if (!mayHoldTabs && replacement.find(u'\t') != replacement.npos) mayHoldTabs = true;

  // The new text is built aside; the old one gives the undo records their deleted units
  // before the new one takes its place.
  std::u16string& built = replaceScratch;
  built.clear();
  built.reserve(static_cast<std::size_t>(newLength));
  const LineRecord& old = lines[line];
  int from = 0;
  for (int i = 0; i < count; ++i) {
    built.append(old.text + from, static_cast<std::size_t>(starts[i] - from));
    built.append(replacement);
    from = starts[i] + length;
  }
  built.append(old.text + from, static_cast<std::size_t>(oldLength - from));
  for (int i = 0; i < count; ++i) {
    const int at = starts[i] + i * (r - length);
    RecordEdit(false, CPoint(at, line), CPoint(at + length, line),
               std::u16string_view(old.text + starts[i], static_cast<std::size_t>(length)));
    if (r > 0) RecordEdit(true, CPoint(at, line), CPoint(at + r, line), replacement);
  }

  LineRecord& rec = lines[line];
  if (LineCapacityOf(rec) < static_cast<int>(newLength)) {
    char16_t* p = HeapLineText::Allocate(LineCapacity(newLength));
    if (!p) throw std::bad_alloc();
    FreeLineText(rec);
    rec.text = p;
  }
  if (newLength > 0) std::memcpy(rec.text, built.data(), static_cast<std::size_t>(newLength) * sizeof(char16_t));
  rec.length = static_cast<int>(newLength);
  CReplaceContext context(line, starts, count, length, r);
  UpdateViews(source, &context, UpdateHorzRange | UpdateOneLine, line);
  if (!modified) SetModified(true);
  return true;
}

bool CCrystalTextBuffer::InternalDeleteText(CBufferView* source, int startLine, int startChar, int endLine,
                                            int endChar) {
  if (readOnly || !initialized) return false;
  const int count = lines.Count();
  if (startLine < 0 || endLine >= count || startLine > endLine) return false;
  if (startChar < 0 || startChar > lines[startLine].length || endChar < 0 || endChar > lines[endLine].length)
    return false;
  if (startLine == endLine && endChar < startChar) return false;

  if (startLine == endLine) {
    LineRecord& rec = lines[startLine];
    std::memmove(rec.text + startChar, rec.text + endChar,
                 static_cast<std::size_t>(rec.length - endChar) * sizeof(char16_t));
    rec.length -= endChar - startChar;
    CDeleteContext context(CPoint(startChar, startLine), CPoint(endChar, endLine));
    UpdateViews(source, &context, UpdateHorzRange | UpdateOneLine, startLine);
  } else {
    const LineRecord& last = lines[endLine];
    std::u16string tail(last.text + endChar, static_cast<std::size_t>(last.length - endChar));
    for (int i = startLine + 1; i <= endLine; ++i) FreeLineText(lines[i]);
    lines.Remove(startLine + 1, endLine - startLine);
    lines[startLine].length = startChar;
    AppendToLine(startLine, tail.data(), static_cast<int>(tail.size()));
    CDeleteContext context(CPoint(startChar, startLine), CPoint(endChar, endLine));
    UpdateViews(source, &context, UpdateHorzRange | UpdateVertRange, startLine);
  }
  if (!modified) SetModified(true);
  return true;
}

