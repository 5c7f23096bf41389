// The dialog's keys: Tab order, arrows within a group, Enter for the default button and
// Escape for Cancel, offered to the dialog before the focused control sees them.
#include <algorithm>

#include "platform/dialogs/Dialog.h"
#include "platform/ui/Groups.h"

namespace {

bool CanTakeFocus(const CWnd* w) { return w && w->IsWindowVisible() && w->IsWindowEnabled(); }

UINT DlgCode(CWnd* w, UINT vk) { return w ? static_cast<UINT>(w->SendMessage(WM_GETDLGCODE, vk)) : 0; }

}  // namespace

bool CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message != WM_KEYDOWN) return false;
  CWnd* focus = CWnd::GetFocus();
  if (focus != this && !IsOurControl(focus)) focus = nullptr;
  const UINT vk = static_cast<UINT>(msg->wParam);
  const UINT code = focus && focus != this ? DlgCode(focus, vk) : 0;
  if (code & DLGC_WANTALLKEYS) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (vk) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      if (shift) PrevDlgCtrl();
      else NextDlgCtrl();
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (code & DLGC_WANTARROWS) return false;
      if (focus && focus != this) MoveInGroup(focus, vk == VK_LEFT || vk == VK_UP);
      return true;
    case VK_RETURN: PressEnter(focus); return true;
    case VK_ESCAPE: PressEscape(); return true;
    default: return false;
  }
}

void CDialog::PressEnter(CWnd* focus) {
  // A focused push button is the one Enter presses; otherwise the default button.
  if (focus && focus->GetParent() == this && (DlgCode(focus, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    focus->SendMessage(BM_CLICK);
    return;
  }
  const UINT def = GetDefID();
  const UINT id = def ? def : UINT{IDOK};
  CWnd* button = GetDlgItem(id);
  if (button && !CanTakeFocus(button)) return;  // a disabled default button does nothing
  SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void CDialog::PressEscape() {
  CWnd* cancel = GetDlgItem(IDCANCEL);
  if (cancel && !CanTakeFocus(cancel)) return;
  SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
}

void CDialog::MoveInGroup(CWnd* focus, bool previous) {
  CWnd* next = GetNextDlgGroupItem(focus, previous);
  if (!next || next == focus) return;
  next->SetFocus();
  EnsureVisible(next);
  // Arrowing onto a radio button checks it, as a tap would.
  const UINT code = DlgCode(next, 0);
  if (code & DLGC_HASSETSEL) next->SendMessage(EM_SETSEL, 0, -1);
  if ((code & DLGC_RADIOBUTTON) && (next->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON &&
      next->SendMessage(BM_GETCHECK) != BST_CHECKED)
    next->SendMessage(BM_CLICK);
}

CWnd* CDialog::GetNextDlgTabItem(CWnd* ctrl, bool previous) const {
  const auto& kids = GetChildren();
  const int n = static_cast<int>(kids.size());
  if (n == 0) return nullptr;
  int at = -1;
  for (int i = 0; i < n; ++i)
    if (kids[i] == ctrl) at = i;
  if (at < 0) at = previous ? 0 : n - 1;  // so the first step lands on an end
  for (int step = 1; step <= n; ++step) {
    CWnd* c = kids[static_cast<std::size_t>(((previous ? at - step : at + step) % n + n) % n)];
    if (!(c->GetStyle() & WS_TABSTOP) || !CanTakeFocus(c)) continue;
    // A radio group is entered at its checked button.
    if (DlgCode(c, 0) & DLGC_RADIOBUTTON) {
      for (CWnd* g : plat::ui::GroupOf(c))
        if (g != c && CanTakeFocus(g) && (DlgCode(g, 0) & DLGC_RADIOBUTTON) && g->SendMessage(BM_GETCHECK) == BST_CHECKED) return g;
    }
    return c;
  }
  return nullptr;
}

CWnd* CDialog::GetNextDlgGroupItem(CWnd* ctrl, bool previous) const {
  const std::vector<CWnd*> group = plat::ui::GroupOf(ctrl);
  const int n = static_cast<int>(group.size());
  const auto it = std::find(group.begin(), group.end(), ctrl);
  if (it == group.end()) return nullptr;
  const int at = static_cast<int>(it - group.begin());
  for (int step = 1; step < n; ++step) {
    CWnd* c = group[static_cast<std::size_t>(((previous ? at - step : at + step) % n + n) % n)];
    if (CanTakeFocus(c) && !(DlgCode(c, 0) & DLGC_STATIC)) return c;
  }
  return ctrl;
}

void CDialog::GotoDlgCtrl(CWnd* ctrl) {
  if (!ctrl || !IsOurControl(ctrl)) return;
  ctrl->SetFocus();
  EnsureVisible(ctrl);
  if (DlgCode(ctrl, 0) & DLGC_HASSETSEL) ctrl->SendMessage(EM_SETSEL, 0, static_cast<LPARAM>(-1));
}

void CDialog::NextDlgCtrl() {
  CWnd* focus = CWnd::GetFocus();
  GotoDlgCtrl(GetNextDlgTabItem(IsOurControl(focus) ? focus : nullptr, false));
}

void CDialog::PrevDlgCtrl() {
  CWnd* focus = CWnd::GetFocus();
  GotoDlgCtrl(GetNextDlgTabItem(IsOurControl(focus) ? focus : nullptr, true));
}
