// CButton: push buttons (plain and default), check boxes, radio buttons and group boxes,
// told apart by the BS_* type in the low bits of the style.
#pragma once
#include <memory>

#include "platform/controls/Control.h"
#include "platform/ui/WindowClass.h"

class CButton : public CControl {
 public:
  // Makes and creates a window of this class for the class registry (a template's item).
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

  // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
  int GetCheck() const { return check; }
  void SetCheck(int state);
  // BST_PUSHED while the pen (or Space) holds the button down, BST_FOCUS with the focus.
  UINT GetState() const;
  UINT GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }
  void SetButtonStyle(UINT type, bool redraw = true);
  // A press and release as the user gives it: a check box toggles, a radio button checks
  // itself and clears its group, then the parent hears BN_CLICKED. Nothing happens to a
  // disabled or hidden button, nor to a group box; the answer says whether it was pressed.
  bool Click();

  bool IsPushButton() const;
  bool IsRadioButton() const;
  bool IsCheckBox() const;
  // Drawn with the heavy border that says Enter presses it: the default push button, or a
  // push button while it has the focus (the default then gives up the look).
  bool ShowsDefault() const;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  UINT OnGetDlgCode() override;
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  void OnLButtonDblClk(UINT flags, CPoint point) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnLButtonUp(UINT flags, CPoint point) override;
  void OnCaptureChanged(CWnd* newCapture) override;
  void OnKeyDown(UINT vk, UINT repCnt, UINT flags) override;
  void OnKeyUp(UINT vk, UINT repCnt, UINT flags) override;
  void OnSetFocus(CWnd* oldWnd) override;
  void OnKillFocus(CWnd* newWnd) override;
  COLORREF GetBackgroundColor() const override;

 private:
  void SetPushed(bool on);
  // The push buttons of the same parent repaint: which one looks default has changed.
  void RepaintSiblingPushButtons();
  // The other auto radio buttons of this one's group.
  void ClearGroupRadios();

  // ButtonDraw.cpp
  void DrawPushButton(CDC& dc, const CRect& c);
  void DrawCheckOrRadio(CDC& dc, const CRect& c);
  void DrawGroupBox(CDC& dc, const CRect& c);

  int check = BST_UNCHECKED;
  bool pushed = false;
  bool tracking = false;  // the pen went down on the button and is still down
  bool spaceDown = false;
};
