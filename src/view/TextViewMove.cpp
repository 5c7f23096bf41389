// CCrystalTextView: caret, selection and the movement commands.
#include <algorithm>

#include "platform/base/CharClass.h"
#include "view/CrystalTextView.h"

namespace {

bool Before(CPoint a, CPoint b) { return a.y < b.y || (a.y == b.y && a.x < b.x); }

bool IsWordChar(char16_t c) { return plat::IsAlpha(c) || plat::IsDigit(c) || c == u'_'; }
bool IsBlank(char16_t c) { return plat::IsSpace(c); }

}  // namespace

void CCrystalTextView::NormalizeSelection() {
  if (Before(selEnd, selStart)) {
    drawSelStart = selEnd;
    drawSelEnd = selStart;
  } else {
    drawSelStart = selStart;
    drawSelEnd = selEnd;
  }
}

void CCrystalTextView::GetSelection(CPoint& start, CPoint& end) {
  NormalizeSelection();
  start = drawSelStart;
  end = drawSelEnd;
}

bool CCrystalTextView::IsInsideSelection(CPoint pos) {
  NormalizeSelection();
  const CPoint s = drawSelStart, e = drawSelEnd;
  if (pos.y > s.y && pos.y < e.y) return true;
  if (s.y == e.y) return pos.y == s.y && pos.x >= s.x && pos.x < e.x;
  if (pos.y == s.y) return pos.x >= s.x;
  if (pos.y == e.y) return pos.x < e.x;
  return false;
}

void CCrystalTextView::SetSelection(CPoint start, CPoint end) {
  if (start != selStart) {
    InvalidateLineRange(start.y, end.y);
    InvalidateLineRange(selStart.y, selEnd.y);
  } else if (end != selEnd) {
    InvalidateLineRange(end.y, selEnd.y);
  }
  selStart = start;
  selEnd = end;
}

void CCrystalTextView::UpdateCaret() {
  if (!IsWindow()) return;
  if (!IsRedrawOn()) {
    // Placed once when redrawing is on again: a batch of edits moves it many times.
    catchUpWhenRedrawn = true;
    return;
  }
  if (focused && CharToColumn(caret.y, caret.x) >= firstVisibleColumn) {
    CreateSolidCaret(2, GetLineHeight());
    SetCaretPos(TextPosToPoint(caret));
    ShowCaret();
  } else {
    HideCaret();
  }
}

void CCrystalTextView::MoveCaretTo(CPoint pos) {
  caret = pos;
  idealColumn = CharToColumn(caret.y, caret.x);
  UpdateCaret();
}

void CCrystalTextView::ScrollToLine(int newTop) {
  if (newTop == firstVisibleLine) return;
  const int delta = firstVisibleLine - newTop;
  firstVisibleLine = newTop;
  if (IsWindow()) {
    ScrollWindow(0, delta * GetLineHeight());
    UpdateWindow();
    RecalcVertScrollBar(true);
  }
  SyncSiblingScroll(true);
}

void CCrystalTextView::ScrollToChar(int newFirst) {
  if (newFirst == firstVisibleColumn) return;
  const int delta = firstVisibleColumn - newFirst;
  firstVisibleColumn = newFirst;
  if (IsWindow()) {
    CRect text = GetClientRect();
    text.left += GetMarginWidth();
    ScrollWindow(delta * GetCharWidth(), 0, &text, &text);
    UpdateWindow();
    UpdateCaret();
    RecalcHorzScrollBar(true);
  }
  SyncSiblingScroll(false);
}

void CCrystalTextView::EnsureVisible(CPoint pos) {
  const int lines = GetScreenLines();
  int top = firstVisibleLine;
  if (pos.y >= top + lines) top = pos.y - lines + 1;
  if (pos.y < top) top = pos.y;
  top = std::clamp(top, 0, std::max(0, GetLineCount() - 1));
  ScrollToLine(top);

  const int col = CharToColumn(pos.y, pos.x);
  int first = firstVisibleColumn;
  if (col > first + GetScreenChars()) first = col - GetScreenChars();
  if (col < first) first = col;
  const int maxLen = GetMaxLineLength();
  if (first >= maxLen) first = maxLen - 1;
  if (first < 0) first = 0;
  ScrollToChar(first);
}

void CCrystalTextView::HighlightText(CPoint pos, int length) {
  caret = CPoint(pos.x + length, pos.y);
  anchor = caret;
  SetSelection(pos, caret);
  UpdateCaret();
  EnsureVisible(caret);
}

CPoint CCrystalTextView::WordStartBefore(CPoint pos) {
  const char16_t* text = GetLineText(pos.y);
  int x = std::clamp(pos.x, 0, GetLineLength(pos.y));
  while (x > 0 && IsWordChar(text[x - 1])) --x;
  return CPoint(x, pos.y);
}

CPoint CCrystalTextView::WordEndAfter(CPoint pos) {
  const char16_t* text = GetLineText(pos.y);
  const int length = GetLineLength(pos.y);
  int x = std::clamp(pos.x, 0, length);
  while (x < length && IsWordChar(text[x])) ++x;
  return CPoint(x, pos.y);
}

void CCrystalTextView::FinishMove(bool extend) {
  idealColumn = CharToColumn(caret.y, caret.x);
  EnsureVisible(caret);
  UpdateCaret();
  if (!extend) anchor = caret;
  SetSelection(anchor, caret);
}

void CCrystalTextView::MoveLeft(bool extend) {
  NormalizeSelection();
  if (selStart != selEnd && !extend) {
    caret = drawSelStart;
  } else if (caret.x > 0) {
    --caret.x;
  } else if (caret.y >= 1) {
    --caret.y;
    caret.x = GetLineLength(caret.y);
  }
  FinishMove(extend);
}

void CCrystalTextView::MoveRight(bool extend) {
  NormalizeSelection();
  if (selStart != selEnd && !extend) {
    caret = drawSelEnd;
  } else if (caret.x >= GetLineLength(caret.y)) {
    if (caret.y < GetLineCount() - 1) caret = CPoint(0, caret.y + 1);
  } else {
    ++caret.x;
  }
  FinishMove(extend);
}

void CCrystalTextView::MoveWordLeft(bool extend) {
  NormalizeSelection();
  if (selStart != selEnd && !extend) {
    MoveLeft(false);
    return;
  }
  if (caret.x == 0) {
    if (caret.y == 0) return;
    --caret.y;
    caret.x = GetLineLength(caret.y);
  }
  const char16_t* text = GetLineText(caret.y);
  int p = caret.x;
  while (p > 0 && IsBlank(text[p - 1])) --p;
  if (p > 0) {
    --p;
    if (IsWordChar(text[p])) {
      while (p > 0 && IsWordChar(text[p - 1])) --p;
    } else {
      while (p > 0 && !IsWordChar(text[p - 1]) && !IsBlank(text[p - 1])) --p;
    }
  }
  caret.x = p;
  FinishMove(extend);
}

void CCrystalTextView::MoveWordRight(bool extend) {
  NormalizeSelection();
  if (selStart != selEnd && !extend) {
    MoveRight(false);
    return;
  }
  if (caret.x >= GetLineLength(caret.y)) {
    if (caret.y >= GetLineCount() - 1) return;
    caret = CPoint(0, caret.y + 1);
  }
  const int length = GetLineLength(caret.y);
  if (length == 0) {
    MoveRight(extend);
    return;
  }
  const char16_t* text = GetLineText(caret.y);
  int p = caret.x;
  if (IsWordChar(text[p])) {
    while (p < length && IsWordChar(text[p])) ++p;
  } else {
    while (p < length && !IsWordChar(text[p]) && !IsBlank(text[p])) ++p;
  }
  while (p < length && IsBlank(text[p])) ++p;
  caret.x = p;
  FinishMove(extend);
}

void CCrystalTextView::MoveUp(bool extend) {
  NormalizeSelection();
  if (selStart != selEnd && !extend) caret = drawSelStart;
  if (caret.y > 0) {
    if (idealColumn == -1) idealColumn = CharToColumn(caret.y, caret.x);
    --caret.y;
    caret.x = std::min(ColumnToChar(caret.y, idealColumn), GetLineLength(caret.y));
  }
  // A run of vertical moves keeps the remembered column across short lines.
  const int keep = idealColumn;
  FinishMove(extend);
  idealColumn = keep;
}

void CCrystalTextView::MoveDown(bool extend) {
  NormalizeSelection();
  if (selStart != selEnd && !extend) caret = drawSelEnd;
  if (caret.y < GetLineCount() - 1) {
    if (idealColumn == -1) idealColumn = CharToColumn(caret.y, caret.x);
    ++caret.y;
    caret.x = std::min(ColumnToChar(caret.y, idealColumn), GetLineLength(caret.y));
  }
  const int keep = idealColumn;
  FinishMove(extend);
  idealColumn = keep;
}

void CCrystalTextView::MovePgUp(bool extend) {
  NormalizeSelection();
  const int lines = GetScreenLines();
  ScrollToLine(std::max(firstVisibleLine - lines + 1, 0));
  caret.y = std::max(caret.y - lines + 1, 0);
  caret.x = std::min(caret.x, GetLineLength(caret.y));
  FinishMove(extend);
}

void CCrystalTextView::MovePgDn(bool extend) {
  NormalizeSelection();
  const int lines = GetScreenLines();
  const int last = GetLineCount() - 1;
  ScrollToLine(std::min(firstVisibleLine + lines - 1, last));
  caret.y = std::min(caret.y + lines - 1, last);
  caret.x = std::min(caret.x, GetLineLength(caret.y));
  FinishMove(extend);
}

void CCrystalTextView::MoveHome(bool extend) {
  NormalizeSelection();
  const char16_t* text = GetLineText(caret.y);
  const int length = GetLineLength(caret.y);
  int h = 0;
  while (h < length && IsBlank(text[h])) ++h;
  if (h == length) caret.x = 0;
  else caret.x = caret.x != h ? h : 0;
  FinishMove(extend);
}

void CCrystalTextView::MoveEnd(bool extend) {
  NormalizeSelection();
  caret.x = GetLineLength(caret.y);
  FinishMove(extend);
}

void CCrystalTextView::MoveCtrlHome(bool extend) {
  NormalizeSelection();
  caret = CPoint(0, 0);
  FinishMove(extend);
}

void CCrystalTextView::MoveCtrlEnd(bool extend) {
  NormalizeSelection();
  const int last = GetLineCount() - 1;
  caret = CPoint(GetLineLength(last), last);
  FinishMove(extend);
}

void CCrystalTextView::ScrollUp() {
  if (firstVisibleLine > 0) ScrollToLine(firstVisibleLine - 1);
}

void CCrystalTextView::ScrollDown() {
  if (firstVisibleLine < GetLineCount() - 1) ScrollToLine(firstVisibleLine + 1);
}

void CCrystalTextView::SelectAll() {
  const int last = GetLineCount() - 1;
  caret = CPoint(GetLineLength(last), last);
  SetSelection(CPoint(0, 0), caret);
  UpdateCaret();
}

void CCrystalTextView::Copy() {
  if (selStart == selEnd) return;
  NormalizeSelection();
  std::u16string text;
  GetTextRange(drawSelStart, drawSelEnd, text);
  PutToClipboard(text);
}
