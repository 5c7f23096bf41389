// CEdit: a single-line edit field with caret, selection, clipboard and horizontal scrolling.
// Positions count UTF-16 units and never fall inside a surrogate pair.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/controls/Control.h"
#include "platform/ui/WindowClass.h"

class CEdit : public CControl {
 public:
  // The most units any edit holds, whatever LimitText asks: the field stays responsive and
  // its memory bounded when a huge text is pasted.
  static constexpr int kMaxLimit = 1 << 20;
  static constexpr int kDefaultLimit = 30000;

  // Creates the field with double taps enabled (they select a word).
  using CWnd::Create;
  bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
  // Makes and creates a window of this class for the class registry (a template's item).
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

  // start -1 removes the selection (the caret stays); end -1 (or past the text) is the end.
  // The caret goes to end; the field scrolls to show it unless noScroll.
  void SetSel(int start, int end, bool noScroll = false);
  // Selection bounds, start <= end.
  void GetSel(int& start, int& end) const;
  int GetCaretIndex() const { return caret; }
  // Replaces the selection (or inserts at the caret), cut to the limit and to the first
  // line break; EN_CHANGE follows when the text changed.
  void ReplaceSel(std::u16string_view text, bool canUndo = false);
  // 0 sets the largest limit. Text already longer stays; typing stops at the limit.
  void LimitText(int maxChars = 0);
  int GetLimitText() const { return limit; }
  void SetReadOnly(bool readOnly = true);
  bool IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }

  void Cut();
  void Copy();
  void Paste();
  void Clear();  // deletes the selection
  bool CanUndo() const { return undoAvailable; }
  // Undoes the last change; a second call redoes it, as the handheld's edits do.
  bool Undo();

  // Geometry for the pen and for tests: the position nearest a client point, and the
  // client x of a position as the field is scrolled now.
  int CharFromPos(CPoint point);
  int PosFromChar(int index);
  // Pixels of text scrolled off the left edge.
  int GetScrollOffset() const { return scrollX; }

  // Hides CWnd::SetWindowText for callers that know the edit: the text goes in as
  // WM_SETTEXT puts it (selection to the start, EN_CHANGE).
  void SetWindowText(std::u16string_view text) { SetText(text); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnSetText(std::u16string_view text) override;
  UINT OnGetDlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL; }
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  void OnKeyDown(UINT vk, UINT repCnt, UINT flags) override;
  void OnChar(UINT ch, UINT repCnt, UINT flags) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnCaptureChanged(CWnd* newCapture) override;

 private:
  const std::u16string& Text() const { return GetWindowText(); }
  int Length() const { return static_cast<int>(Text().size()); }
  // Replaces [from, to) with text, puts the caret after it and notifies EN_CHANGE; false
  // (nothing done) when the text would grow wider than a field that does not scroll.
  // Characters typed one after another are undone together.
  bool Edit(int from, int to, std::u16string_view text, bool typing);
  void MoveCaret(int pos, bool extend);
  // Positions one character (a surrogate pair) and one word away.
  int NextPos(int pos) const;
  int PrevPos(int pos) const;
  int NextWordPos(int pos) const;
  int PrevWordPos(int pos) const;
  void SelectWordAt(int pos);
  int ClampPos(int pos) const;

  // EditDraw.cpp: measuring, scrolling and painting.
  // x of the end of each unit of the text (the cache follows the text and the font).
  const std::vector<int>& Extents();
  int TextWidth();
  CRect TextRect() const;  // client rectangle the text is drawn in
  int TextOriginX();       // client x of position 0, after scrolling and alignment
  int LineHeight();
  void EnsureCaretVisible();
  void PlaceCaret();
  bool FitsWidth(const std::u16string& text);

  int anchor = 0;
  int caret = 0;
  int limit = kDefaultLimit;
  int scrollX = 0;
  bool selecting = false;  // the pen is selecting
  bool undoAvailable = false;
  bool typingRun = false;  // the last change was a character typed
  std::u16string undoText;
  int undoAnchor = 0, undoCaret = 0;

  bool measured = false;
  std::u16string measuredText;
  CFont* measuredFont = nullptr;
  std::vector<int> extents;
  int lineHeight = 0;
};
