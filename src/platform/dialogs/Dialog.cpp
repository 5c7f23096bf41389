// CDialog: the modal run, ending, data exchange, commands and the controls by id.
#include "platform/dialogs/Dialog.h"

#include "platform/base/Strings.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowManager.h"

namespace {

// What a control says of itself (DLGC_*): the dialog knows its buttons by these answers,
// not by their types.
UINT DlgCode(CWnd* w) { return static_cast<UINT>(w->SendMessage(WM_GETDLGCODE)); }

void MarkCaptionDirty() {
  auto& wm = CWindowManager::Get();
  wm.MarkDirty(CRect(0, 0, wm.GetScreenSize().cx, wm.GetCaptionHeight()));
}

}  // namespace

CDialog::CDialog(UINT id, CWnd* parent) : templateId(id), parentWnd(parent) {}

CDialog::~CDialog() {
  // The controls go while the dialog is still a dialog: their last messages reach it.
  DestroyWindow();
  controls.clear();
}

int CDialog::DoModal() {
  auto& wm = CWindowManager::Get();
  const CResourceModule* module = AfxGetResourceHandle();
  const DialogTemplate* t = module ? module->FindDialog(templateId) : nullptr;
  if (!t || IsWindow() || !wm.IsStarted()) return -1;
  CWnd* oldFocus = CWnd::GetFocus();
  if (CWnd::GetCapture()) CWnd::ReleaseCapture();

  CreateDialogFont(*t);
  // Hidden until it is filled in, as the handheld shows a dialog after WM_INITDIALOG.
  if (!Create(parentWnd, wm.GetWorkArea(), WS_POPUP | WS_CAPTION, 0, t->caption)) return -1;
  scrollPos = 0;
  defId = 0;
  endPending = false;
  CreateControls(*t);
  const bool focusFirst = OnInitDialog();
  if (!IsWindow()) return endPending ? endResult : -1;
  int result = endResult;
  if (!endPending) {
    UpdateScrollRange();
    ShowWindow(SW_SHOW);
    MarkCaptionDirty();
    if (focusFirst) {
      CWnd* first = GetNextDlgTabItem(nullptr);
      if (first) GotoDlgCtrl(first);
      else SetFocus();
    } else if (CWnd::GetFocus() != this && !IsOurControl(CWnd::GetFocus())) {
      SetFocus();  // keys must never reach the window behind
    }
    result = wm.RunModalLoop(this);
  }

  // The focus goes home before the controls go, so none of them hands it on as it dies.
  ShowWindow(SW_HIDE);
  if (oldFocus && oldFocus->IsWindow()) oldFocus->SetFocus();
  else wm.SetFocus(nullptr);
  DestroyWindow();
  controls.clear();
  MarkCaptionDirty();
  return result;
}

void CDialog::EndDialog(int result) {
  auto& wm = CWindowManager::Get();
  if (wm.IsInModalLoop(this)) {
    wm.EndModalLoop(this, result);
  } else {
    endPending = true;
    endResult = result;
  }
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

bool CDialog::UpdateData(bool saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return !dx.Failed();
}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(WPARAM wParam, LPARAM) {
  const UINT id = LOWORD(wParam), code = HIWORD(wParam);
  if (OnCmdMsg(id, static_cast<int>(code), nullptr)) return true;
  if (code != BN_CLICKED) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case DM_GETDEFID: {
      const UINT id = GetDefID();
      return id ? static_cast<LRESULT>(MAKELPARAM(static_cast<int>(id), static_cast<int>(DC_HASDEFID))) : 0;
    }
    case DM_SETDEFID: SetDefID(static_cast<UINT>(wParam)); return 1;
    case WM_NEXTDLGCTL:
      // lParam nonzero: wParam is the control; else wParam nonzero means the previous one.
      if (lParam) GotoDlgCtrl(reinterpret_cast<CWnd*>(wParam));
      else if (wParam) PrevDlgCtrl();
      else NextDlgCtrl();
      return 0;
    default: return CWnd::WindowProc(message, wParam, lParam);
  }
}

COLORREF CDialog::GetBackgroundColor() const { return GetSysColor(COLOR_STATIC); }

bool CDialog::OnEraseBkgnd(CDC* dc) {
  CWnd::OnEraseBkgnd(dc);
  // The fill covered the controls too; they paint again straight after the dialog.
  for (CWnd* c : GetChildren()) c->Invalidate(true);
  return true;
}

bool CDialog::IsOurControl(const CWnd* w) const {
  for (; w; w = w->GetParent())
    if (w->GetParent() == this) return true;
  return false;
}

void CDialog::SetDlgItemText(UINT id, std::u16string_view text) {
  CWnd* w = GetDlgItem(id);
  if (!w) return;
  // Controls take the text as WM_SETTEXT (an edit resets its selection and notifies);
  // a window that does not answer the message is given it directly.
  const std::u16string copy(text);
  if (!w->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()))) w->SetWindowText(copy);
}

std::u16string CDialog::GetDlgItemText(UINT id) const {
  const CWnd* w = GetDlgItem(id);
  return w ? w->GetWindowText() : std::u16string();
}

void CDialog::SetDlgItemInt(UINT id, int value, bool isSigned) {
  const long long v = isSigned ? value : static_cast<long long>(static_cast<unsigned>(value));
  SetDlgItemText(id, plat::FromInt(v));
}

int CDialog::GetDlgItemInt(UINT id, bool* translated, bool isSigned) const {
  int value = 0;
  const std::u16string text = plat::Trim(GetDlgItemText(id));
  bool ok = GetDlgItem(id) && plat::ToInt(text, value);
  if (ok && !isSigned && value < 0) ok = false;
  if (translated) *translated = ok;
  return ok ? value : 0;
}

void CDialog::CheckDlgButton(UINT id, UINT check) {
  if (CWnd* w = GetDlgItem(id)) w->SendMessage(BM_SETCHECK, check);
}

UINT CDialog::IsDlgButtonChecked(UINT id) const {
  CWnd* w = GetDlgItem(id);
  return w ? static_cast<UINT>(w->SendMessage(BM_GETCHECK)) : UINT{BST_UNCHECKED};
}

void CDialog::CheckRadioButton(UINT first, UINT last, UINT id) {
  for (UINT i = first; i <= last && i >= first; ++i)
    if (CWnd* w = GetDlgItem(i)) w->SendMessage(BM_SETCHECK, i == id ? BST_CHECKED : BST_UNCHECKED);
}

UINT CDialog::GetCheckedRadioButton(UINT first, UINT last) const {
  for (UINT i = first; i <= last && i >= first; ++i)
    if (IsDlgButtonChecked(i) == BST_CHECKED) return i;
  return 0;
}

bool CDialog::PressButton(UINT id) {
  CWnd* w = GetDlgItem(id);
  if (w) return w->SendMessage(BM_CLICK) != 0;  // only a button answers, when it was pressed
  if (id == IDOK || id == IDCANCEL) {
    SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    return true;
  }
  return false;
}

UINT CDialog::GetDefID() const {
  if (defId) return defId;
  for (CWnd* c : GetChildren())
    if (DlgCode(c) & DLGC_DEFPUSHBUTTON) return c->GetDlgCtrlID();
  return 0;
}

void CDialog::SetDefID(UINT id) {
  for (CWnd* c : GetChildren()) {
    const UINT code = DlgCode(c);
    if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) continue;  // not a push button
    const UINT want = c->GetDlgCtrlID() == id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    const UINT now = (code & DLGC_DEFPUSHBUTTON) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (now != want) c->SendMessage(BM_SETSTYLE, want, 1);
  }
  defId = id;
}
