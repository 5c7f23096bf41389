// CCrystalTextView: the view's model, its caches, geometry and change notifications.
#include <algorithm>
#include <cstring>

#include "platform/base/CharClass.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/WaitCursor.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowManager.h"
#include "resources/ResourceIds.h"
#include "view/CrystalTextView.h"

CCrystalTextView::CCrystalTextView() { ResetView(); }

CCrystalTextView::~CCrystalTextView() {
  DetachFromBuffer();
  DestroyWindow();
}

bool CCrystalTextView::CreateView(CWnd* parent, const CRect& rect, UINT id) {
  return Create(parent, rect, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, id, u"", CS_DBLCLKS);
}

void CCrystalTextView::ResetView() {
  firstVisibleLine = 0;
  firstVisibleColumn = 0;
  lineHeight = -1;
  charWidth = -1;
  maxLineLength = -1;
  screenLines = -1;
  screenChars = -1;
  idealColumn = -1;
  tabSize = 4;
  anchor = caret = selStart = selEnd = CPoint(0, 0);
  icons.reset();
  for (auto& f : fonts) f.reset();
  cookies.Clear();
  cookiesValid = 0;
  lengths.Reset();
  dragSelecting = wordSelecting = lineSelecting = pendingClickInSelection = false;
  vertScrollLock = horzScrollLock = false;
  showInactiveSelection = false;
  if (IsWindow()) UpdateCaret();
}

void CCrystalTextView::AttachToBuffer(CCrystalTextBuffer* b) {
  if (buffer) buffer->RemoveView(this);
  if (!b) b = LocateBuffer();
  buffer = b;
  if (buffer) buffer->AddView(this);
  ResetView();
  if (IsWindow()) {
    RecalcVertScrollBar();
    RecalcHorzScrollBar();
  }
}

void CCrystalTextView::DetachFromBuffer() {
  if (!buffer) return;
  buffer->RemoveView(this);
  buffer = nullptr;
  ResetView();
}

int CCrystalTextView::GetLineCount() { return buffer ? buffer->GetLineCount() : 1; }
int CCrystalTextView::GetLineLength(int line) { return buffer ? buffer->GetLineLength(line) : 0; }
const char16_t* CCrystalTextView::GetLineText(int line) { return buffer ? buffer->GetLineChars(line) : nullptr; }
DWORD CCrystalTextView::GetLineFlags(int line) { return buffer ? buffer->GetLineFlags(line) : 0; }

void CCrystalTextView::GetTextRange(CPoint start, CPoint end, std::u16string& text) {
  text.clear();
  if (buffer) buffer->GetText(start.y, start.x, end.y, end.x, text, nullptr);
}

int CCrystalTextView::GetExpandedLength(int line) {
  return lengths.Get(line, [this](int l) { return CharToColumn(l, GetLineLength(l)); });
}

int CCrystalTextView::GetMaxLineLength() {
  if (maxLineLength == -1) {
    maxLineLength = lengths.Max(
        GetLineCount(), [this](int l) { return CharToColumn(l, GetLineLength(l)); },
        [this](auto&& sink) {
          if (!buffer) {
            sink(0);  // the one empty line a view without text shows
            return;
          }
          // Without tabs the records alone tell the lengths: the text is not read at all.
          if (!buffer->MayHoldTabs()) buffer->ForEachLine([&](const char16_t*, int length) { sink(length); });
          else buffer->ForEachLine([&](const char16_t* text, int length) { sink(ExpandedColumns(text, length, tabSize)); });
        });
  }
  return maxLineLength;
}

int CCrystalTextView::GetLongestOtherLine(int line) {
  // Brought up to date first, so that the cache is built and nothing is left to measure.
  maxLineLength = -1;
  GetMaxLineLength();
  return lengths.MaxExcept(
      line, GetLineCount(), [this](int l) { return CharToColumn(l, GetLineLength(l)); }, [](auto&&) {});
}

COLORREF CCrystalTextView::GetColor(int colorIndex) {
  switch (colorIndex) {
    case ColorIndex::Whitespace:
    case ColorIndex::Background: return GetSysColor(COLOR_WINDOW);
    case ColorIndex::NormalText: return GetSysColor(COLOR_WINDOWTEXT);
    case ColorIndex::Margin: return GetSysColor(COLOR_SCROLLBAR);
    case ColorIndex::SelectionBackground: return RGB(0, 0, 0);
    case ColorIndex::SelectionText: return RGB(255, 255, 255);
    case ColorIndex::Keyword: return RGB(0, 0, 255);
    case ColorIndex::Comment: return RGB(0, 130, 0);
    case ColorIndex::Number: return RGB(200, 0, 0);
    case ColorIndex::String: return RGB(0, 0, 128);
    case ColorIndex::Preprocessor: return RGB(0, 0, 255);
    case ColorIndex::ScriptTag: return RGB(0, 0, 0);
    default: return RGB(0, 0, 128);
  }
}

ParseCookie CCrystalTextView::ColorizeLine(ParseCookie, int, ColorRun*, int&) { return 0; }

void CCrystalTextView::ParseLineStates(ParseCookie cookie, int first, int n, ParseCookie* out) {
  int dummy = 0;
  for (int i = 0; i < n; ++i) cookie = out[i] = ColorizeLine(cookie, first + i, nullptr, dummy);
}

void CCrystalTextView::GatherLines(int first, int n, const char16_t** texts, int* lengths) {
  int i = 0;
  if (buffer)
    buffer->FindLine(first, first + n, [&](const char16_t* text, int length) {
      texts[i] = text;
      lengths[i++] = length;
      return false;
    });
  for (; i < n; ++i) {  // lines past the end, or no buffer: empty
    texts[i] = nullptr;
    lengths[i] = 0;
  }
}

void CCrystalTextView::ParseLineStatesBy(LinesStateParser parse, ParseCookie cookie, int first, int n, ParseCookie* out) {
  const char16_t* texts[kParseBatch];
  int lengths[kParseBatch];
  for (int done = 0; done < n;) {
    const int k = std::min(n - done, kParseBatch);
    GatherLines(first + done, k, texts, lengths);
    parse(cookie, texts, lengths, k, out + done);
    cookie = out[done + k - 1];
    done += k;
  }
}

const CResourceModule* CCrystalTextView::GetResourceHandle() { return AfxGetResourceHandle(); }

// --- parse cookies ---------------------------------------------------------------------

void CCrystalTextView::ReserveCookies(int line) {
  if (line < static_cast<int>(cookies.size())) return;
  // Room for every line, and some for lines to come: entries from cookiesValid on are
  // written before they are read, and pages are paid for only when first written, so the
  // room costs nothing until the parse gets there. Made in one piece, a large text's room
  // gets huge pages from its start instead of growing through small ones.
  const std::size_t lines = static_cast<std::size_t>(std::max(GetLineCount(), line + 1));
  cookies.Resize(std::max<std::size_t>(lines + lines / 8, 1024));
}

ParseCookie CCrystalTextView::GetParseCookie(int line) {
  const int count = GetLineCount();
  if (line >= count) line = count - 1;
  if (line < 0) return 0;
  ReserveCookies(line);
  // Entries below the watermark are known; parse on from it up to the line wanted.
  while (cookiesValid <= line) {
    const int l = cookiesValid;
    const int n = std::min(line + 1 - l, kParseBatch);
    ParseLineStates(l == 0 ? 0 : cookies[l - 1], l, n, &cookies[l]);
    cookiesValid += n;
  }
  return cookies[line];
}

// --- measuring -------------------------------------------------------------------------

CFont* CCrystalTextView::GetFont(bool italic, bool bold) {
  const int index = (italic ? 2 : 0) + (bold ? 1 : 0);
  if (!fonts[index]) {
    LOGFONT lf = fontDescription;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic ? 1 : 0;
    auto font = std::make_unique<CFont>();
    if (!font->CreateFontIndirect(lf)) return GetSystemFont();  // not cached: tried again next time
    fonts[index] = std::move(font);
  }
  return fonts[index].get();
}

void CCrystalTextView::MeasureFont() {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  dc.SelectObject(GetFont(false, false));
  const CSize x = dc.GetTextExtent(u"X", 1);
  lineHeight = std::max(1, x.cy);
  charWidth = std::max(1, x.cx);
}

int CCrystalTextView::GetLineHeight() {
  if (lineHeight == -1) MeasureFont();
  return lineHeight;
}

int CCrystalTextView::GetCharWidth() {
  if (charWidth == -1) MeasureFont();
  return charWidth;
}

int CCrystalTextView::GetScreenLines() {
  if (screenLines == -1) screenLines = GetClientRect().Height() / GetLineHeight();
  return screenLines;
}

int CCrystalTextView::GetScreenChars() {
  if (screenChars == -1) screenChars = std::max(0, GetClientRect().Width() - GetMarginWidth()) / GetCharWidth();
  return screenChars;
}

void CCrystalTextView::SetFont(const LOGFONT& font) {
  fontDescription = font;
  lineHeight = charWidth = screenLines = screenChars = -1;
  lineBitmap.reset();
  for (auto& f : fonts) f.reset();
  if (IsWindow()) {
    RecalcVertScrollBar();
    RecalcHorzScrollBar();
    Invalidate();
  }
}

void CCrystalTextView::SetSelectionMargin(bool on) {
  if (selectionMargin == on) return;
  selectionMargin = on;
  if (IsWindow()) {
    screenChars = -1;
    Invalidate();
    RecalcHorzScrollBar();
  }
}

// --- geometry --------------------------------------------------------------------------

int CCrystalTextView::ExpandedColumns(const char16_t* text, int n, int tabSize) {
  // Most lines hold no tab: counted in a loop the compiler turns into vector code, they need
  // no walk at all. Otherwise runs without a tab count one column a unit; only a tab needs
  // the division.
  int tabs = 0;
  for (int i = 0; i < n; ++i) tabs += text[i] == u'\t';
  if (tabs == 0) return n;
  int column = 0;
  for (int i = 0; i < n;) {
    int j = i;
    while (j < n && text[j] != u'\t') ++j;
    column += j - i;
    if (j == n) break;
    column += tabSize - column % tabSize;
    i = j + 1;
  }
  return column;
}

int CCrystalTextView::CharToColumn(int line, int charIndex) {
  const int length = GetLineLength(line);
  charIndex = std::clamp(charIndex, 0, length);
  // A text without tabs has a column for every unit: its lines need not be read.
  if (buffer && !buffer->MayHoldTabs()) return charIndex;
  return ExpandedColumns(GetLineText(line), charIndex, tabSize);
}

int CCrystalTextView::ColumnToChar(int line, int column) {
  if (column <= 0) return 0;
  const char16_t* text = GetLineText(line);
  const int length = GetLineLength(line);
  int col = 0;
  for (int i = 0; i < length; ++i) {
    const int end = text[i] == u'\t' ? col + tabSize - col % tabSize : col + 1;
    if (end >= column) return column > end - tabSize / 2 ? i + 1 : i;
    col = end;
  }
  return length;
}

CPoint CCrystalTextView::TextPosToPoint(CPoint pos) {
  return CPoint(GetMarginWidth() + (CharToColumn(pos.y, pos.x) - firstVisibleColumn) * GetCharWidth(),
                (pos.y - firstVisibleLine) * GetLineHeight());
}

CPoint CCrystalTextView::PointToTextPos(CPoint point) {
  const int count = GetLineCount();
  const int line = std::clamp(firstVisibleLine + point.y / GetLineHeight(), 0, count - 1);
  const int column = std::max(0, firstVisibleColumn + (point.x - GetMarginWidth()) / GetCharWidth());
  const char16_t* text = GetLineText(line);
  const int length = GetLineLength(line);
  int col = 0, i = 0;
  for (; i < length; ++i) {
    const int end = text[i] == u'\t' ? col + tabSize - col % tabSize : col + 1;
    if (end > column) break;
    col = end;
  }
  return CPoint(i, line);
}

void CCrystalTextView::InvalidateLineRange(int first, int last) {
  // With redrawing off nothing need be noted: turning it on repaints the whole view.
  if (!IsWindow() || !IsRedrawOn()) return;
  const CRect client = GetClientRect();
  const int h = GetLineHeight();
  if (last == -1) {
    CRect r(0, (first - firstVisibleLine) * h, client.right, client.bottom);
    if (r.top < client.bottom) InvalidateRect(&r, false);
    return;
  }
  if (last < first) std::swap(first, last);
  CRect r(0, (first - firstVisibleLine) * h, client.right, (last - firstVisibleLine + 1) * h);
  InvalidateRect(&r, false);
}

// --- change notification ---------------------------------------------------------------

void CCrystalTextView::OnBufferUpdate(CBufferView*, CUpdateContext* context, DWORD flags, int line) {
  if (flags & UpdateReset) {
    ResetView();
    RecalcVertScrollBar();
    return;
  }
  const int count = GetLineCount();
  if (flags & UpdateOneLine) {
    lengths.LineChanged(line);
    if (line >= 0 && line < cookiesValid && line < count) {
      // The line's end state decides whether the lines below colour as before: parse the
      // line again from its known start; when it ends as it did, it alone is repainted.
      int dummy = 0;
      const ParseCookie after = ColorizeLine(line == 0 ? 0 : cookies[static_cast<std::size_t>(line) - 1], line, nullptr, dummy);
      const bool same = after == cookies[static_cast<std::size_t>(line)];
      cookies[static_cast<std::size_t>(line)] = after;
      if (same) {
        InvalidateLineRange(line, line);
      } else {
        cookiesValid = line + 1;
        InvalidateLineRange(line, -1);
      }
    } else {
      cookiesValid = std::min(cookiesValid, std::max(line, 0));
      InvalidateLineRange(line, -1);
    }
  } else {
    if (line < 0) line = 0;
    cookiesValid = std::min(cookiesValid, line);
    // The context says exactly which lines came or went.
    if (auto* ins = dynamic_cast<CInsertContext*>(context)) {
      lengths.LinesInserted(ins->start.y, ins->end.y - ins->start.y);
    } else if (auto* del = dynamic_cast<CDeleteContext*>(context)) {
      lengths.LinesRemoved(del->start.y, del->end.y - del->start.y);
    } else {
      lengths.Reset();
    }
    InvalidateLineRange(line, -1);
  }
  if (context) {
    context->RecalcPoint(caret);
    context->RecalcPoint(selStart);
    context->RecalcPoint(selEnd);
    context->RecalcPoint(anchor);
    CPoint top(0, firstVisibleLine);
    context->RecalcPoint(top);
    firstVisibleLine = top.y;
    UpdateCaret();
  }
  if ((flags & UpdateVertRange) && !vertScrollLock) RecalcVertScrollBar();
  if (flags & UpdateHorzRange) {
    maxLineLength = -1;
    if (!horzScrollLock) RecalcHorzScrollBar();
  }
}

// --- window life -----------------------------------------------------------------------

int CCrystalTextView::OnCreate() {
  std::memset(&fontDescription, 0, sizeof fontDescription);
  accelerators.Load(GetResourceHandle(), IDR_DEFAULT_ACCEL);
  return 0;
}

void CCrystalTextView::OnDestroy() {
  DetachFromBuffer();
  accelerators.Unload();
  for (auto& f : fonts) f.reset();
  lineBitmap.reset();
}

void CCrystalTextView::OnSize(UINT, int, int) {
  lineBitmap.reset();
  screenLines = screenChars = -1;
  RecalcVertScrollBar();
  RecalcHorzScrollBar();
}

void CCrystalTextView::OnSetFocus(CWnd*) {
  focused = true;
  // Typing reaches the view: the host's text input (its on-screen keyboard) is wanted.
  if (CWindowManager::Get().IsStarted()) CWindowManager::Get().Backend().SetTextInput(true);
  if (selStart != selEnd) InvalidateLineRange(selStart.y, selEnd.y);
  UpdateCaret();
}

void CCrystalTextView::OnKillFocus(CWnd*) {
  focused = false;
  UpdateCaret();
  if (selStart != selEnd) InvalidateLineRange(selStart.y, selEnd.y);
  if (dragSelecting) {
    ReleaseCapture();
    KillTimer(dragTimer);
    dragSelecting = false;
  }
}

void CCrystalTextView::SetShowInactiveSelection(bool on) {
  if (showInactiveSelection == on) return;
  showInactiveSelection = on;
  if (selStart != selEnd) InvalidateLineRange(selStart.y, selEnd.y);
}

// --- clipboard -------------------------------------------------------------------------

bool CCrystalTextView::CanPaste() { return IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_UNICODETEXT); }

bool CCrystalTextView::PutToClipboard(const std::u16string& text) {
  if (text.empty()) return false;
  CWaitCursor wait;
  if (!OpenClipboard(this)) return false;
  EmptyClipboard();
  const bool ok = SetClipboardText(text);
  CloseClipboard();
  return ok;
}

bool CCrystalTextView::GetFromClipboard(std::u16string& text) {
  if (!OpenClipboard(this)) return false;
  auto t = GetClipboardText();
  CloseClipboard();
  if (!t) return false;
  text = *t;
  return true;
}
