// CCrystalTextView: the read-only view of a text buffer: geometry, colours, caret and
// selection, movement, search, scrolling, the pen, bookmarks and drawing.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "buffer/BufferView.h"
#include "buffer/PageArray.h"
#include "buffer/TextBuffer.h"
#include "platform/framework/View.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Resources.h"
#include "view/ColorModel.h"
#include "view/LineLengthCache.h"

class CDC;
class CLineSearch;
class CBitmap;
class CImageList;

// Search flags.
enum : DWORD { SearchMatchCase = 0x01, SearchWholeWord = 0x02, SearchUp = 0x10 };

// Line flags the view reads: bookmarks 0..9 are bits 0..9; four highlight flags.
enum : DWORD {
  LineFlagExecution = 0x00010000,
  LineFlagBreakpoint = 0x00020000,
  LineFlagCompilationError = 0x00040000,
  LineFlagInvalidBreakpoint = 0x00080000,
};

class CCrystalTextView : public CView, public CBufferView {
 public:
  static constexpr UINT kDragScrollTimer = 1001;
  static constexpr UINT kDragScrollPeriod = 100;

  CCrystalTextView();
  ~CCrystalTextView() override;

  // Creates the window (both scroll bars, double-clicks) at rect in parent's client area.
  bool CreateView(CWnd* parent, const CRect& rect, UINT id = 0) override;

  // Splitter panes: this program shows one view, so siblings never exist.
  virtual void SyncSiblingScroll(bool vertical) { (void)vertical; }
  virtual void OnSiblingScrolled(CCrystalTextView* sender, bool vertical) {
    (void)sender;
    (void)vertical;
  }
  virtual int GetLineCount();
  virtual int GetLineLength(int line);
  virtual int GetExpandedLength(int line);
  virtual const char16_t* GetLineText(int line);
  virtual DWORD GetLineFlags(int line);
  virtual void GetTextRange(CPoint start, CPoint end, std::u16string& text);
  virtual bool CanPaste();
  virtual bool PutToClipboard(const std::u16string& text);
  virtual bool GetFromClipboard(std::u16string& text);
  virtual COLORREF GetColor(int colorIndex);
  virtual void GetLineHighlight(int line, COLORREF& background, COLORREF& text, bool& fillWithBackground);
  virtual bool IsItalicColor(int colorIndex) {
    (void)colorIndex;
    return false;
  }
  virtual bool IsBoldColor(int colorIndex) {
    (void)colorIndex;
    return false;
  }
  virtual void DrawLine(CDC* dc, const CRect& rect, int line);
  virtual void DrawMarginCell(CDC* dc, const CRect& rect, int line);
  // The parser hook: the base view colours nothing and carries state 0.
  virtual ParseCookie ColorizeLine(ParseCookie cookie, int line, ColorRun* runs, int& runCount);
  // The states at the ends of n lines from first on into out, the first starting in cookie:
  // by default ColorizeLine without runs, line after line. A view whose parser can work
  // through many lines at once gives them here.
  virtual void ParseLineStates(ParseCookie cookie, int first, int n, ParseCookie* out);
  // The same through a parser of many lines' texts at once, given the lines a batch at a
  // time as read in one walk of the buffer.
  using LinesStateParser = void (*)(ParseCookie cookie, const char16_t* const* texts, const int* lengths, int n,
                                    ParseCookie* out);
  void ParseLineStatesBy(LinesStateParser parse, ParseCookie cookie, int first, int n, ParseCookie* out);
  virtual const CResourceModule* GetResourceHandle();
  virtual CCrystalTextBuffer* LocateBuffer() { return nullptr; }
  void OnBufferUpdate(CBufferView* source, CUpdateContext* context, DWORD flags, int line) override;

  // Geometry and caches.
  ParseCookie GetParseCookie(int line);
  // Room in the cookie store for lines up to line.
  void ReserveCookies(int line);
  int CharToColumn(int line, int charIndex);
  // Columns taken by the first n units of text, tabs expanded to stops of tabSize.
  static int ExpandedColumns(const char16_t* text, int n, int tabSize);
  int ColumnToChar(int line, int column);
  CPoint PointToTextPos(CPoint point);
  CPoint TextPosToPoint(CPoint pos);
  int GetScreenLines();
  int GetScreenChars();
  int GetMaxLineLength();
  // The longest expanded length among the lines other than line.
  int GetLongestOtherLine(int line);
  int GetTabSize() const { return tabSize; }
  int GetLineHeight();
  int GetCharWidth();
  int GetMarginWidth() const { return selectionMargin ? 20 : 1; }
  void UpdateSingleLine(int line);
  void InvalidateLineRange(int first, int last);
  void SetFont(const LOGFONT& font);
  const LOGFONT& GetFont() const { return fontDescription; }
  void SetSelectionMargin(bool on);
  bool GetSelectionMargin() const { return selectionMargin; }
  void AttachToBuffer(CCrystalTextBuffer* buffer = nullptr);
  void DetachFromBuffer();
  void ResetView();
  CCrystalTextBuffer* GetBuffer() const { return buffer; }
  int GetFirstVisibleLine() const { return firstVisibleLine; }
  int GetFirstVisibleColumn() const { return firstVisibleColumn; }

  // Caret and selection.
  void MoveCaretTo(CPoint pos);
  CPoint GetCaretPos() const { return caret; }
  CPoint GetAnchor() const { return anchor; }
  void SetAnchor(CPoint pos) { anchor = pos; }
  void SetSelection(CPoint start, CPoint end);
  void GetSelection(CPoint& start, CPoint& end);
  bool HasSelection() const { return selStart != selEnd; }
  bool IsInsideSelection(CPoint pos);
  void UpdateCaret();
  void EnsureVisible(CPoint pos);
  void HighlightText(CPoint pos, int length);
  CPoint WordStartBefore(CPoint pos);
  CPoint WordEndAfter(CPoint pos);
  void SetShowInactiveSelection(bool on);
  int GetIdealColumn() const { return idealColumn; }
  bool IsFocused() const { return focused; }

  // Search.
  bool SearchText(const std::u16string& text, CPoint start, DWORD flags, bool wrap, CPoint& found);
  static int FindInString(const std::u16string& lineText, const std::u16string& needle, bool wholeWord);
  // The first line from first on (below end) that may hold a match of search by its quick
  // look, or -1; the lines are looked at many at a time, where they lie.
  int FindLineThatMayHold(const CLineSearch& search, int first, int end);

  // The horizontal scroll bar follows the text unless an edit holds it back.
  void SetHorzScrollLock(bool on) { horzScrollLock = on; }
  bool GetHorzScrollLock() const { return horzScrollLock; }
  void RecalcVertScrollBar(bool positionOnly = false);
  void RecalcHorzScrollBar(bool positionOnly = false);
  void RecalcScrollBar(int bar, int& first, int extent, int page, bool positionOnly);

  // Mouse selection state, for tests and the editing view.
  bool IsDragSelecting() const { return dragSelecting; }
  bool IsWordSelecting() const { return wordSelecting; }
  bool IsLineSelecting() const { return lineSelecting; }

  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
  bool PreTranslateMessage(MSG* msg) override;

 protected:
  // Commands.
  void MoveLeft(bool extend);
  void MoveRight(bool extend);
  void MoveWordLeft(bool extend);
  void MoveWordRight(bool extend);
  void MoveUp(bool extend);
  void MoveDown(bool extend);
  void MovePgUp(bool extend);
  void MovePgDn(bool extend);
  void MoveHome(bool extend);
  void MoveEnd(bool extend);
  void MoveCtrlHome(bool extend);
  void MoveCtrlEnd(bool extend);
  void ScrollUp();
  void ScrollDown();
  void SelectAll();
  void Copy();
  void ToggleBookmark(int n);
  void GoToBookmark(int n);
  void ClearBookmarks() {}
  void ShowContextMenu(CPoint screenPoint);
  void NormalizeSelection();
  void FinishMove(bool extend);
  // Moves the top line and scrolls the window contents with an immediate repaint.
  void ScrollToLine(int newTop);
  void ScrollToChar(int newFirst);

  // Window messages.
  int OnCreate() override;
  void OnDestroy() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnDraw(CDC* dc) override;
  void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
  void OnSetRedraw(bool on) override;
  void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnTimer(UINT_PTR id) override;
  bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // Drawing helpers.
  void MeasureFont();
  CFont* GetFont(bool italic, bool bold);
  void DrawSegment(CDC* dc, CPoint& origin, const CRect& clip, const char16_t* lineText, int offset, int count,
                   CPoint textPos);
  void DrawPlain(CDC* dc, CPoint& origin, const CRect& clip, const char16_t* lineText, int offset, int count);
  void ExpandChars(const char16_t* lineText, int offset, int count, std::u16string& out);
  int GetMarginIcon(DWORD flags) const;
  void PaintRows(CDC* dc, int firstRow, int lastRow);

  CCrystalTextBuffer* buffer = nullptr;
  int firstVisibleLine = 0;
  int firstVisibleColumn = 0;
  int lineHeight = -1;
  int charWidth = -1;
  int tabSize = 4;
  bool selectionMargin = true;
  int screenLines = -1;
  int screenChars = -1;
  int maxLineLength = -1;
  int idealColumn = -1;
  bool focused = false;
  bool showInactiveSelection = false;
  LOGFONT fontDescription{};
  std::unique_ptr<CFont> fonts[4];
  // Lines parsed for their states at a time, on the way to a line further down.
  static constexpr int kParseBatch = 1024;
  // The texts and lengths of n lines from first on, read in one walk of the buffer; lines
  // past the end are empty.
  void GatherLines(int first, int n, const char16_t** texts, int* lengths);
  // Parse cookies at the end of each line; entries from cookiesValid on are unknown.
  CPageArray<ParseCookie> cookies;
  int cookiesValid = 0;
  // The scroll bars and the caret were left to be updated when redrawing is on again.
  bool catchUpWhenRedrawn = false;
  CLineLengthCache lengths;
  std::unique_ptr<CBitmap> lineBitmap;
  std::unique_ptr<CImageList> icons;
  CPoint caret, anchor, selStart, selEnd;
  CPoint drawSelStart, drawSelEnd;  // the selection in text order

  bool dragSelecting = false;
  bool wordSelecting = false;
  bool lineSelecting = false;
  bool pendingClickInSelection = false;
  UINT_PTR dragTimer = 0;
  bool vertScrollLock = false;
  bool horzScrollLock = false;
  CAcceleratorTable accelerators;
  // Scratch buffers reused by every drawn line.
  std::vector<ColorRun> runs;
  std::u16string expanded;
  int drawColumn = 0;  // the column the line being drawn has reached
};
