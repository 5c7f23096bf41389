// CCrystalTextView: drawing lines, margin cells and the client area through a one-row
// bitmap, so that the screen is written only by whole-row copies and never flickers.
#include <algorithm>
#include <cstdio>

#include "platform/base/Debug.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/ImageList.h"
#include "platform/ui/WindowDC.h"
#include "resources/ResourceIds.h"
#include "view/CrystalTextView.h"

namespace {

// Which margin icon a line's flags choose: the first entry sharing a bit wins.
constexpr DWORD kIconFlags[] = {0x00010000, 0x00020000, 0x00040000, 0x2, 0x4, 0x8, 0x10, 0x20, 0x40,
                                0x80,       0x100,      0x200,      0x1, 0x00080000};

}  // namespace

int CCrystalTextView::GetMarginIcon(DWORD flags) const {
  if (flags == 0) return -1;
  for (int i = 0; i < static_cast<int>(std::size(kIconFlags)); ++i)
    if (flags & kIconFlags[i]) return i;
  return static_cast<int>(std::size(kIconFlags));  // any other flag
}

void CCrystalTextView::GetLineHighlight(int line, COLORREF& background, COLORREF& text, bool& fillWithBackground) {
  const DWORD flags = GetLineFlags(line);
  fillWithBackground = true;
  text = RGB(255, 255, 255);
  if (flags & LineFlagExecution) {
    background = RGB(0, 128, 0);
  } else if (flags & LineFlagBreakpoint) {
    background = RGB(255, 0, 0);
  } else if (flags & LineFlagInvalidBreakpoint) {
    background = RGB(128, 128, 0);
  } else {
    background = text = static_cast<COLORREF>(-1);
    fillWithBackground = false;
  }
}

void CCrystalTextView::ExpandChars(const char16_t* lineText, int offset, int count, std::u16string& out) {
  out.clear();
  if (count <= 0) return;
  // Stops stay aligned across pieces: a piece starts at the column its line has reached,
  // which the drawing carries along in drawColumn.
  int column = drawColumn;
  for (int i = 0; i < count; ++i) {
    const char16_t c = lineText[offset + i];
    if (c == u'\t') {
      const int spaces = tabSize - (column % tabSize);
      out.append(static_cast<std::size_t>(spaces), u' ');
      column += spaces;
    } else {
      out.push_back(c);
      ++column;
    }
  }
}

void CCrystalTextView::DrawPlain(CDC* dc, CPoint& origin, const CRect& clip, const char16_t* lineText, int offset,
                                 int count) {
  ExpandChars(lineText, offset, count, expanded);
  const int length = static_cast<int>(expanded.size());
  const int cw = GetCharWidth();
  if (clip.right - origin.x > 0 && length > 0) {
    const int shown = std::min((clip.right - origin.x) / cw + 1, length);
    dc->ExtTextOut(origin.x, origin.y, ETO_CLIPPED, &clip, expanded.data(), shown);  // opaque cells, not the rect
  }
  origin.x += length * cw;
  drawColumn += length;
}

void CCrystalTextView::DrawSegment(CDC* dc, CPoint& origin, const CRect& clip, const char16_t* lineText, int offset,
                                   int count, CPoint textPos) {
  if (count <= 0) return;
  if (!focused && !showInactiveSelection) {
    DrawPlain(dc, origin, clip, lineText, offset, count);
    return;
  }
  auto split = [&](CPoint bound) {
    if (bound.y > textPos.y) return count;
    if (bound.y == textPos.y) return std::clamp(bound.x - offset, 0, count);
    return 0;
  };
  const int selBegin = split(drawSelStart);
  const int selEnd = split(drawSelEnd);
  DrawPlain(dc, origin, clip, lineText, offset, selBegin);
  if (selBegin < selEnd) {
    const COLORREF oldBk = dc->SetBkColor(GetColor(ColorIndex::SelectionBackground));
    const COLORREF oldText = dc->SetTextColor(GetColor(ColorIndex::SelectionText));
    DrawPlain(dc, origin, clip, lineText, offset + selBegin, selEnd - selBegin);
    dc->SetBkColor(oldBk);
    dc->SetTextColor(oldText);
  }
  DrawPlain(dc, origin, clip, lineText, offset + selEnd, count - selEnd);
}

void CCrystalTextView::DrawLine(CDC* dc, const CRect& rectIn, int line) {
  CRect rect = rectIn;
  if (line == -1) {
    dc->FillSolidRect(rect, GetColor(ColorIndex::Whitespace));
    return;
  }
  COLORREF background, textColor;
  bool fill;
  GetLineHighlight(line, background, textColor, fill);
  if (background == static_cast<COLORREF>(-1)) background = GetColor(ColorIndex::Background);
  const bool showSelection = focused || showInactiveSelection;
  const int cw = GetCharWidth();
  const int length = GetLineLength(line);
  if (length == 0) {
    if (showSelection && IsInsideSelection(CPoint(0, line))) {
      dc->FillSolidRect(CRect(rect.left, rect.top, rect.left + cw, rect.bottom), GetColor(ColorIndex::SelectionBackground));
      rect.left += cw;
    }
    dc->FillSolidRect(rect, fill ? background : GetColor(ColorIndex::Whitespace));
    return;
  }
  const char16_t* text = GetLineText(line);
  // The cookie before this line, then this line's runs; its cookie is stored again.
  const ParseCookie before = GetParseCookie(line - 1);
  runs.resize(static_cast<std::size_t>(length) * 3);
  int runCount = 0;
  const ParseCookie after = ColorizeLine(before, line, runs.data(), runCount);
  if (line <= cookiesValid) {
    ReserveCookies(line);
    cookies[line] = after;
    if (line == cookiesValid) ++cookiesValid;
  }
  text = GetLineText(line);  // a parser may have corrected the case of a keyword in place
  runCount = std::clamp(runCount, 0, length * 3);

  CPoint origin(rect.left - firstVisibleColumn * cw, rect.top);
  drawColumn = 0;
  dc->SetBkColor(background);
  const bool fixedText = textColor != static_cast<COLORREF>(-1);
  if (fixedText) dc->SetTextColor(textColor);
  auto segment = [&](int from, int to, int colorIndex) {
    if (to <= from) return;
    if (!fixedText) dc->SetTextColor(GetColor(colorIndex));
    dc->SelectObject(GetFont(IsItalicColor(colorIndex), IsBoldColor(colorIndex)));
    DrawSegment(dc, origin, rect, text, from, to - from, CPoint(from, line));
  };
  if (runCount == 0) {
    segment(0, length, ColorIndex::NormalText);
  } else {
    segment(0, std::clamp(runs[0].charPos, 0, length), ColorIndex::NormalText);
    for (int i = 0; i < runCount; ++i) {
      const int from = std::clamp(runs[i].charPos, 0, length);
      const int to = i + 1 < runCount ? std::clamp(runs[i + 1].charPos, 0, length) : length;
      segment(from, to, runs[i].colorIndex);
    }
  }
  CRect rest(std::max(rect.left, origin.x), rect.top, rect.right, rect.bottom);
  if (!rest.IsRectEmpty()) {
    if (showSelection && IsInsideSelection(CPoint(length, line))) {
      dc->FillSolidRect(CRect(rest.left, rest.top, rest.left + cw, rest.bottom), GetColor(ColorIndex::SelectionBackground));
      rest.left += cw;
    }
    if (!rest.IsRectEmpty()) dc->FillSolidRect(rest, fill ? background : GetColor(ColorIndex::Whitespace));
  }
}

void CCrystalTextView::DrawMarginCell(CDC* dc, const CRect& rect, int line) {
  if (!selectionMargin) {
    dc->FillSolidRect(rect, GetColor(ColorIndex::Background));
    return;
  }
  dc->FillSolidRect(rect, GetColor(ColorIndex::Margin));
  if (line < 0) return;
  const int icon = GetMarginIcon(GetLineFlags(line));
  if (icon < 0) return;
  if (!icons) {
    CBitmap strip;
    if (!GetResourceHandle() || !GetResourceHandle()->LoadBitmap(IDR_MARGIN_ICONS, strip)) return;
    icons = std::make_unique<CImageList>();
    if (!icons->Create(strip, 16, RGB(255, 255, 255))) {
      icons.reset();
      return;
    }
  }
  icons->Draw(dc, icon, CPoint(rect.left + 2, rect.top + (rect.Height() - 16) / 2), ILD_TRANSPARENT);
}

bool CCrystalTextView::OnEraseBkgnd(CDC*) { return true; }

void CCrystalTextView::PaintRows(CDC* dc, int firstRow, int lastRow) {
  const CRect client = GetClientRect();
  const int h = GetLineHeight();
  const int count = GetLineCount();
  NormalizeSelection();
  if (!lineBitmap || lineBitmap->GetWidth() != std::max(1, client.Width()) || lineBitmap->GetHeight() != h) {
    lineBitmap = std::make_unique<CBitmap>();
    if (!lineBitmap->Create(std::max(1, client.Width()), h)) {
      lineBitmap.reset();
      return;
    }
  }
  CDC mem;
  mem.CreateCompatibleDC(dc);
  mem.SelectObject(lineBitmap.get());
  const int margin = GetMarginWidth();
  for (int row = firstRow; row <= lastRow && row * h < client.bottom; ++row) {
    const int line = firstVisibleLine + row;
    const int shown = line < count ? line : -1;
    DrawMarginCell(&mem, CRect(0, 0, margin, h), shown);
    DrawLine(&mem, CRect(margin, 0, client.Width(), h), shown);
    dc->BitBlt(0, row * h, client.Width(), h, &mem, 0, 0, SRCCOPY);
  }
}

void CCrystalTextView::OnDraw(CDC* dc) {
  const CRect client = GetClientRect();
  const int h = GetLineHeight();
  // Only the rows the paint covers: the rest of the screen is already right.
  CRect box;
  dc->GetClipBox(&box);
  if (box.IsRectEmpty()) box = client;
  const int firstRow = std::max(0, box.top / h);
  const int lastRow = (std::min(box.bottom, client.bottom) - 1) / h;
  PaintRows(dc, firstRow, lastRow);
}

void CCrystalTextView::UpdateSingleLine(int line) {
  char trace[48];
  std::snprintf(trace, sizeof trace, "UpdateSingleLine(%ld)\r\n", static_cast<long>(line));
  plat::DebugOut(std::string_view(trace));
  if (!IsWindow() || !IsWindowVisible() || !IsRedrawOn()) return;
  const int row = line - firstVisibleLine;
  if (row < 0 || row > GetScreenLines()) return;
  // Only the row is drawn and shown; a repaint it was waiting for is then done.
  const int h = GetLineHeight();
  const CRect rowRect(0, row * h, GetClientRect().right, (row + 1) * h);
  {
    CClientDC dc(this, rowRect);
    PaintRows(&dc, row, row);
  }
  ValidateRect(&rowRect);
}
