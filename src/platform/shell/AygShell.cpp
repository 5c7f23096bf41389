// The soft input panel preference control, and the shell library's start-up entries.
#include "platform/shell/AygShell.h"

#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowManager.h"

int CSipPrefControl::OnCreate() {
  auto& wm = CWindowManager::Get();
  if (wm.IsStarted()) wm.Backend().SetTextInput(true);
  return 0;
}

void CSipPrefControl::OnDestroy() {
  // An edit of the dialog that lost the focus may have switched text input off; the window
  // that gets the focus back expects it on.
  auto& wm = CWindowManager::Get();
  if (wm.IsStarted()) wm.Backend().SetTextInput(true);
}

void CSipPrefControl::OnPaint() {
  CPaintDC dc(this);  // nothing to see: the panel itself is the host's
}

std::unique_ptr<CWnd> CSipPrefControl::Make(const CREATESTRUCT& cs) {
  auto control = std::make_unique<CSipPrefControl>();
  // No size and no tab stop: the control is never seen and never takes the focus.
  if (!control->Create(cs.parent, CRect(0, 0, 0, 0), WS_CHILD, cs.id)) return nullptr;
  return control;
}

bool SHInitExtraControls() { return RegisterClass(WC_SIPPREF, &CSipPrefControl::Make); }

int AygshellOrdinal9() {
  return 0;
}
