// CControl: what every control shares (its font, notifying its parent, the text it is given
// through WM_SETTEXT), and the light theme's focus rectangle and labels.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/ControlMessages.h"
#include "platform/ui/Groups.h"
#include "platform/ui/Metrics.h"
#include "platform/ui/Wnd.h"

class CDC;
class CFont;

namespace plat::ui {

// The dotted rectangle a focused button or label shows, dark unless told otherwise.
void DrawFocusRect(CDC& dc, const CRect& rect, COLORREF color = RGB(0, 0, 0));
// "&&" as one ampersand, a single '&' (a keyboard mnemonic on the desktop) dropped.
std::u16string WithoutMnemonics(std::u16string_view text);

}  // namespace plat::ui

class CControl : public CWnd {
 public:
  // The font the control draws with; null for the system font.
  void SetFont(CFont* font, bool redraw = true);
  CFont* GetFont() const { return font; }
  // Changes the text as WM_SETTEXT does (an edit resets its selection and notifies).
  void SetText(std::u16string_view text) { SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::u16string(text).c_str())); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The text changed through WM_SETTEXT; the default stores it and repaints.
  virtual void OnSetText(std::u16string_view text) { SetWindowText(text); }
  // What the control wants of the keyboard in a dialog (DLGC_*).
  virtual UINT OnGetDlgCode() { return 0; }
  // Sends WM_COMMAND with this control's id and the notification to the parent.
  void NotifyParent(UINT code);
  // Selects the control's font into dc.
  void SelectFont(CDC& dc) const;
  // True when this control has the keyboard focus.
  bool HasFocus() const;

 private:
  CFont* font = nullptr;
};
