// The clipboard, kept by the backend (the host's clipboard under SDL).
#include "platform/ui/Clipboard.h"

#include "platform/ui/WindowManager.h"

namespace {
bool clipboardOpen = false;
}

bool OpenClipboard(CWnd* owner) {
  (void)owner;
  if (clipboardOpen || !CWindowManager::Get().IsStarted()) return false;
  clipboardOpen = true;
  return true;
}

bool CloseClipboard() {
  const bool was = clipboardOpen;
  clipboardOpen = false;
  return was;
}

bool EmptyClipboard() {
  if (!clipboardOpen) return false;
  CWindowManager::Get().Backend().SetClipboardText(u"");
  return true;
}

bool SetClipboardText(const std::u16string& text) {
  if (!clipboardOpen) return false;
  CWindowManager::Get().Backend().SetClipboardText(text);
  return true;
}

std::optional<std::u16string> GetClipboardText() {
  if (!clipboardOpen) return std::nullopt;
  auto t = CWindowManager::Get().Backend().GetClipboardText();
  if (t && t->empty()) return std::nullopt;
  return t;
}

bool IsClipboardFormatAvailable(UINT format) {
  if (format != CF_TEXT && format != CF_UNICODETEXT) return false;
  if (!CWindowManager::Get().IsStarted()) return false;
  auto t = CWindowManager::Get().Backend().GetClipboardText();
  return t && !t->empty();
}
