// CCrystalEditView: Tab and Shift+Tab on the caret and on blocks of lines.
#include <algorithm>

#include "edit/CrystalEditView.h"

bool CCrystalEditView::SelectBlock(int& firstLine, int& lastLine) {
  if (!HasSelection()) return false;
  CPoint start, end;
  GetSelection(start, end);
  if (start.y == end.y) return false;
  // A selection ending at a line's start leaves that line out.
  CPoint blockEnd;
  if (end.x > 0) {
    blockEnd = end.y < GetLineCount() - 1 ? CPoint(0, end.y + 1) : CPoint(GetLineLength(end.y), end.y);
    lastLine = end.y;
  } else {
    blockEnd = end;
    lastLine = end.y - 1;
  }
  firstLine = start.y;
  const CPoint blockStart(0, start.y);
  SetSelection(blockStart, blockEnd);
  caret = blockEnd;
  anchor = blockStart;
  UpdateCaret();
  EnsureVisible(blockEnd);
  return true;
}

void CCrystalEditView::OnEditTab() {
  if (!QueryEditable()) return;
  int first = 0, last = 0;
  if (HasSelection()) {
    CPoint s, e;
    GetSelection(s, e);
    if (s.y != e.y) {
      buffer->BeginUndoGroup(false);
      SelectBlock(first, last);
      // The bar is recomputed once at the end, not once per line.
      SetHorzScrollLock(true);
      for (int line = first; line <= last; ++line) {
        int el, ec;
        buffer->InsertText(this, line, 0, u"\t", el, ec);
      }
      SetHorzScrollLock(false);
      RecalcHorzScrollBar();
      buffer->FlushUndoGroup();
      return;
    }
  }
  if (overwriteMode && caret.x < GetLineLength(caret.y)) {
    // Overwrite mode moves over the text to the next stop instead of inserting.
    const char16_t* text = GetLineText(caret.y);
    const int length = GetLineLength(caret.y);
    const int steps = tabSize - CharToColumn(caret.y, caret.x) % tabSize;
    int x = caret.x;
    for (int i = 0; i < steps && x < length; ++i) {
      const bool wasTab = text[x] == u'\t';
      ++x;
      if (wasTab) break;
    }
    PlaceCaret(CPoint(x, caret.y));
    return;
  }
  buffer->BeginUndoGroup(false);
  DeleteCurrentSelection();
  int endLine, endChar;
  if (buffer->InsertText(this, caret.y, caret.x, u"\t", endLine, endChar)) PlaceCaret(CPoint(endChar, endLine));
  buffer->FlushUndoGroup();
}

void CCrystalEditView::OnEditUntab() {
  if (!QueryEditable()) return;
  int first = 0, last = 0;
  if (HasSelection()) {
    CPoint s, e;
    GetSelection(s, e);
    if (s.y != e.y) {
      buffer->BeginUndoGroup(false);
      SelectBlock(first, last);
      SetHorzScrollLock(true);
      for (int line = first; line <= last; ++line) {
        const int length = GetLineLength(line);
        if (length == 0) continue;
        const char16_t* text = GetLineText(line);
        int n = 0;
        while (n < tabSize && n < length && text[n] == u' ') ++n;
        if (n < tabSize && n < length && text[n] == u'\t') ++n;
        if (n > 0) buffer->DeleteText(this, line, 0, line, n);
      }
      SetHorzScrollLock(false);
      RecalcHorzScrollBar();
      buffer->FlushUndoGroup();
      return;
    }
  }
  if (caret.x == 0) return;
  // The caret goes back to the previous tab stop; the text stays.
  const int c = CharToColumn(caret.y, caret.x);
  int target = (c / tabSize) * tabSize;
  if (target == c && target > 0) target -= tabSize;
  const char16_t* text = GetLineText(caret.y);
  const int length = GetLineLength(caret.y);
  int column = 0, x = 0;
  while (x < length && column < target) {
    column = text[x] == u'\t' ? column + tabSize - column % tabSize : column + 1;
    ++x;
  }
  PlaceCaret(CPoint(x, caret.y));
}
