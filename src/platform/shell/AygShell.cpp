// The soft input panel preference control, and the shell library's start-up entries.
#include "platform/shell/AygShell.h"

#include <memory>

#include "platform/ui/Dialog.h"
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

bool SHInitExtraControls() {
  SetDialogControlFactory(DialogItemKind::SipPref, [](CDialog& dialog, const DialogItemTemplate& item, const CRect&) {
    auto control = std::make_unique<CSipPrefControl>();
    // No size and no tab stop: the control is never seen and never takes the focus.
    if (!control->Create(&dialog, CRect(0, 0, 0, 0), WS_CHILD, item.id)) return std::unique_ptr<CWnd>();
    return std::unique_ptr<CWnd>(std::move(control));
  });
  return true;
}

int AygshellOrdinal9() {
  return 0;
}
