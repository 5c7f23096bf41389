// The opened list of a drop-down list: a pop-up over the dialog holding the pen while it is
// open. The field keeps the keyboard focus and passes the list its keys.
#pragma once
#include "platform/ui/Wnd.h"

class CComboBox;

class CComboDropList : public CWnd {
 public:
  explicit CComboDropList(CComboBox& owner) : combo(owner) {}

  // Places the list below the field (above it when only there is room), rows as many as
  // the combo's dropped height allows, shows it and takes the pen. False when no window
  // could be made.
  bool Open();
  void Close();
  bool IsOpen() const { return IsWindow() && IsWindowVisible(); }

  // The row the list points at (the choice Enter or a release would make), -1 for none.
  int GetHot() const { return hot; }
  void SetHot(int index);
  int GetTopIndex() const { return top; }
  int GetRowsShown() const { return rows; }
  // The row under a client point, -1 for none.
  int RowAt(CPoint p) const;
  // The client rectangle of a row as the list is scrolled now.
  CRect RowRect(int index) const;
  // Moves the pointed row by delta rows (clamped), as the arrow keys do.
  void Step(int delta);

 protected:
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
  void OnCaptureChanged(CWnd* newCapture) override;

 private:
  int Count() const;
  void ScrollTo(int index);
  void EnsureVisible(int index);
  void UpdateScrollBar();

  CComboBox& combo;
  int hot = -1;
  int top = 0;
  int rows = 1;
  bool closing = false;    // losing the pen because we close: no cancel of our own
};
