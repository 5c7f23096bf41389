// The wait cursor.
#include "platform/ui/WaitCursor.h"

#include "platform/ui/WindowManager.h"

void BeginWaitCursor() { CWindowManager::Get().BeginWaitCursor(); }
void EndWaitCursor() { CWindowManager::Get().EndWaitCursor(); }

void CWaitCursor::Restore() {
  auto& wm = CWindowManager::Get();
  if (wm.IsStarted() && wm.GetWaitCursorCount() > 0) wm.Backend().SetWaitCursor(true);
}
