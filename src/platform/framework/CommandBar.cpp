// CCommandBar: the menu bar and its buttons through the shell.
#include "platform/framework/CommandBar.h"

#include "platform/shell/MenuBar.h"
#include "platform/ui/Resources.h"

bool CCommandBar::Create(CWnd* parent, DWORD style, UINT id) {
  if (!parent) return false;
  // The low word carries the bar's alignment and borders; the window keeps only its own bits.
  barStyle = style & 0xFFFF;
  return CWnd::Create(parent, CRect(0, 0, 0, 0), (style & 0xFFFF0000) | WS_CHILD, id);
}

bool CCommandBar::InsertMenuBar(UINT menuBarId) {
  SHMENUBARINFO info;
  info.hwndParent = GetParent();
  info.nToolBarId = menuBarId;
  info.hInstRes = AfxGetResourceHandle();
  return SHCreateMenuBar(&info) && info.hwndMB;
}

bool CCommandBar::AddAdornments(DWORD) {
  return IsWindow();
}

bool CCommandBar::LoadToolBar(UINT id) {
  CMenuBar* bar = GetMenuBar();
  return bar && bar->AddButtons(AfxGetResourceHandle(), id);
}

CMenuBar* CCommandBar::GetMenuBar() const {
  return GetParent() ? SHFindMenuBar(GetParent()) : nullptr;
}
