// The message box window, and the handler that shows it for plat::MessageBox.
#include "platform/dialogs/MessageBoxWnd.h"

#include <algorithm>

#include "platform/base/MessageBox.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Metrics.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowManager.h"

using plat::ui::Scaled;

namespace {

const char16_t* ButtonText(int id) {
  switch (id) {
    case plat::IDOK: return u"OK";
    case plat::IDCANCEL: return u"Cancel";
    case plat::IDYES: return u"Yes";
    case plat::IDNO: return u"No";
    default: return u"";
  }
}

}  // namespace

CMessageBoxWnd::CMessageBoxWnd(std::u16string_view text, std::u16string_view caption, unsigned t)
    : message(text), type(t) {
  SetWindowText(caption);
  switch (type & 0xF) {
    case plat::MB_OKCANCEL: buttons = {plat::IDOK, plat::IDCANCEL}; break;
    case plat::MB_YESNOCANCEL: buttons = {plat::IDYES, plat::IDNO, plat::IDCANCEL}; break;
    case plat::MB_YESNO: buttons = {plat::IDYES, plat::IDNO}; break;
    default: buttons = {plat::IDOK}; break;
  }
}

CRect CMessageBoxWnd::ButtonRect(int index) const {
  const CRect c = GetClientRect();
  const int w = Scaled(60), h = Scaled(22), gap = Scaled(8);
  const int n = static_cast<int>(buttons.size());
  const int total = n * w + (n - 1) * gap;
  const int left = (c.Width() - total) / 2 + index * (w + gap);
  return CRect(left, c.bottom - h - Scaled(8), left + w, c.bottom - Scaled(8));
}

int CMessageBoxWnd::DoModal() {
  auto& wm = CWindowManager::Get();
  const CRect work = wm.GetWorkArea();
  if (!Create(nullptr, work, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, GetWindowText())) return plat::IDCANCEL;
  // Height for the wrapped text plus the buttons, at least a third of the work area.
  int textHeight = 0;
  {
    CClientDC dc(this);
    CRect calc(Scaled(10), 0, work.Width() - Scaled(10), 0);
    textHeight = dc.DrawText(message.c_str(), static_cast<int>(message.size()), &calc, DT_WORDBREAK | DT_CALCRECT);
  }
  const int height = std::clamp(textHeight + Scaled(60), work.Height() / 3, work.Height());
  MoveWindow(CRect(work.left, work.bottom - height, work.right, work.bottom), true);
  CWnd* oldFocus = CWnd::GetFocus();
  CWnd* oldCapture = CWnd::GetCapture();
  if (oldCapture) CWnd::ReleaseCapture();
  SetFocus();
  const int result = wm.RunModalLoop(this);
  DestroyWindow();
  if (oldFocus && oldFocus->IsWindow()) oldFocus->SetFocus();
  return result;
}

bool CMessageBoxWnd::Press(int id) {
  if (std::find(buttons.begin(), buttons.end(), id) == buttons.end()) return false;
  CWindowManager::Get().EndModalLoop(this, id);
  return true;
}

void CMessageBoxWnd::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  dc.FillSolidRect(c, GetSysColor(COLOR_WINDOW));
  dc.FillSolidRect(CRect(0, 0, c.right, 1), GetSysColor(COLOR_WINDOWFRAME));
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  CRect text(Scaled(10), Scaled(12), c.right - Scaled(10), c.bottom - Scaled(40));
  dc.DrawText(message.c_str(), static_cast<int>(message.size()), &text, DT_WORDBREAK);
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    const CRect b = ButtonRect(i);
    dc.FillSolidRect(b, GetSysColor(COLOR_BTNFACE));
    dc.FrameRect(b, GetSysColor(COLOR_WINDOWFRAME));
    CRect t = b;
    const char16_t* label = ButtonText(buttons[i]);
    dc.DrawText(label, -1, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

void CMessageBoxWnd::OnLButtonDown(UINT, CPoint p) {
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i)
    if (ButtonRect(i).PtInRect(p)) Press(buttons[i]);
}

void CMessageBoxWnd::OnKeyDown(UINT vk, UINT, UINT) {
  if (vk == VK_RETURN) Press(buttons.front());
  else if (vk == VK_ESCAPE && !Press(plat::IDCANCEL) && buttons.size() == 1) Press(plat::IDOK);
}

bool CMessageBoxWnd::OnCmdMsg(UINT id, int code, CCmdUI*) {
  if (code != CN_COMMAND) return false;
  // The caption's "ok" stands for the first button.
  if (id == plat::IDOK && !Press(plat::IDOK)) Press(buttons.back());
  else if (id != plat::IDOK) Press(static_cast<int>(id));
  return true;
}

void InstallMessageBoxUi() {
  plat::SetMessageBoxHandler([](std::u16string_view text, std::u16string_view caption, unsigned type) -> int {
    auto& wm = CWindowManager::Get();
    if (!wm.IsStarted()) return plat::IDOK;
    // The wait cursor never shows over a question.
    const int waits = wm.GetWaitCursorCount();
    if (waits) wm.Backend().SetWaitCursor(false);
    CMessageBoxWnd box(text, caption, type);
    const int result = box.DoModal();
    if (waits) wm.Backend().SetWaitCursor(true);
    return result;
  });
}
