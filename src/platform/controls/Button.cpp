// Buttons: the pen and keys that press them, check and radio state, and BN_CLICKED.
#include "platform/controls/Button.h"

#include "platform/gfx/SysColors.h"

using plat::ui::GroupOf;

std::unique_ptr<CWnd> CButton::Make(const CREATESTRUCT& cs) {
  auto w = std::make_unique<CButton>();
  if (!w->Create(cs.parent, cs.rect, cs.style, cs.id, cs.text)) return nullptr;
  return w;
}

bool CButton::IsPushButton() const {
  const UINT t = GetButtonStyle();
  return t == BS_PUSHBUTTON || t == BS_DEFPUSHBUTTON;
}

bool CButton::IsRadioButton() const {
  const UINT t = GetButtonStyle();
  return t == BS_RADIOBUTTON || t == BS_AUTORADIOBUTTON;
}

bool CButton::IsCheckBox() const {
  const UINT t = GetButtonStyle();
  return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

bool CButton::ShowsDefault() const {
  if (!IsPushButton()) return false;
  const auto* focused = dynamic_cast<const CButton*>(CWnd::GetFocus());
  if (focused && focused->GetParent() == GetParent() && focused->IsPushButton()) return focused == this;
  return GetButtonStyle() == BS_DEFPUSHBUTTON;
}

void CButton::SetCheck(int state) {
  if (state < BST_UNCHECKED || state > BST_INDETERMINATE) state = BST_CHECKED;
  if (state == BST_INDETERMINATE && GetButtonStyle() != BS_3STATE && GetButtonStyle() != BS_AUTO3STATE) state = BST_CHECKED;
  if (state == check) return;
  check = state;
  Invalidate(true);
}

UINT CButton::GetState() const {
  UINT s = static_cast<UINT>(check);
  if (pushed) s |= BST_PUSHED;
  if (HasFocus()) s |= BST_FOCUS;
  return s;
}

void CButton::SetButtonStyle(UINT type, bool redraw) {
  ModifyStyle(BS_TYPEMASK, type & BS_TYPEMASK);
  if (redraw) Invalidate(true);
}

void CButton::SetPushed(bool on) {
  if (on == pushed) return;
  pushed = on;
  Invalidate(true);
}

void CButton::ClearGroupRadios() {
  for (CWnd* w : GroupOf(this)) {
    auto* b = dynamic_cast<CButton*>(w);
    if (b && b != this && b->GetButtonStyle() == BS_AUTORADIOBUTTON) b->SetCheck(BST_UNCHECKED);
  }
}

bool CButton::Click() {
  if (!IsWindow() || !IsWindowEnabled() || !IsWindowVisible() || GetButtonStyle() == BS_GROUPBOX) return false;
  switch (GetButtonStyle()) {
    case BS_AUTOCHECKBOX: SetCheck(check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); break;
    case BS_AUTO3STATE: SetCheck((check + 1) % 3); break;
    case BS_AUTORADIOBUTTON:
      SetCheck(BST_CHECKED);
      ClearGroupRadios();
      break;
    default: break;
  }
  // The parent's answer may close the dialog; nothing of ours is touched afterwards.
  NotifyParent(BN_CLICKED);
  return true;
}

void CButton::RepaintSiblingPushButtons() {
  if (!GetParent()) return;
  for (CWnd* w : GetParent()->GetChildren()) {
    auto* b = dynamic_cast<CButton*>(w);
    if (b && b->IsPushButton()) b->Invalidate(true);
  }
}

LRESULT CButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case BM_GETCHECK: return check;
    case BM_SETCHECK: SetCheck(static_cast<int>(wParam)); return 0;
    case BM_GETSTATE: return static_cast<LRESULT>(GetState());
    case BM_SETSTATE: SetPushed(wParam != 0); return 0;
    case BM_SETSTYLE:
      SetButtonStyle(static_cast<UINT>(wParam), lParam != 0);
      RepaintSiblingPushButtons();
      return 0;
    case BM_CLICK: return Click() ? 1 : 0;
    default: return CControl::WindowProc(message, wParam, lParam);
  }
}

UINT CButton::OnGetDlgCode() {
  switch (GetButtonStyle()) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

COLORREF CButton::GetBackgroundColor() const { return GetSysColor(COLOR_STATIC); }

void CButton::OnLButtonDown(UINT, CPoint) {
  if (GetButtonStyle() == BS_GROUPBOX) return;
  SetFocus();
  SetCapture();
  tracking = true;
  SetPushed(true);
}

void CButton::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void CButton::OnMouseMove(UINT, CPoint point) {
  if (tracking) SetPushed(GetClientRect().PtInRect(point));
}

void CButton::OnLButtonUp(UINT, CPoint point) {
  if (!tracking) return;
  const bool inside = GetClientRect().PtInRect(point);
  tracking = false;
  if (CWnd::GetCapture() == this) CWnd::ReleaseCapture();
  SetPushed(false);
  if (inside) Click();
}

void CButton::OnCaptureChanged(CWnd* newCapture) {
  // Something else took the pen (a message box, a menu): the press is off.
  if (tracking && newCapture != this) {
    tracking = false;
    SetPushed(false);
  }
}

void CButton::OnKeyDown(UINT vk, UINT, UINT) {
  if (vk == VK_SPACE && GetButtonStyle() != BS_GROUPBOX) {
    spaceDown = true;
    SetPushed(true);
  }
}

void CButton::OnKeyUp(UINT vk, UINT, UINT) {
  if (vk == VK_SPACE && spaceDown) {
    spaceDown = false;
    SetPushed(false);
    Click();
  }
}

void CButton::OnSetFocus(CWnd*) {
  Invalidate(true);
  if (IsPushButton()) RepaintSiblingPushButtons();
}

void CButton::OnKillFocus(CWnd*) {
  spaceDown = false;
  if (!tracking) SetPushed(false);
  Invalidate(true);
  if (IsPushButton()) RepaintSiblingPushButtons();
}
