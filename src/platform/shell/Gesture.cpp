// The tap-and-hold gesture recogniser.
#include "platform/shell/Gesture.h"

#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

DWORD SHRecognizeGesture(SHRGINFO* info) {
  auto& wm = CWindowManager::Get();
  if (!info || !info->hwndClient || !wm.IsStarted() || !wm.IsPenDown()) return 0;
  CPoint screenPoint = info->ptDown;
  info->hwndClient->ClientToScreen(screenPoint);
  const bool held = wm.GetPressButton() == 1 || wm.WatchPenHold(screenPoint, 500);
  if (!held) return 0;
  if (!(info->dwFlags & SHRG_RETURNCMD)) {
    NMRGINFO nm;
    nm.hwndFrom = info->hwndClient;
    nm.ptAction = screenPoint;
    info->hwndClient->SendMessage(WM_NOTIFY, info->hwndClient->GetDlgCtrlID(), reinterpret_cast<LPARAM>(&nm));
  }
  return GN_CONTEXTMENU;
}
