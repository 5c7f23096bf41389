// The clipboard: Unicode text shared with the host, and whether 8-bit text is available.
#pragma once
#include <optional>
#include <string>

#include "platform/base/Types.h"

class CWnd;

enum : UINT { CF_TEXT = 1, CF_UNICODETEXT = 13 };

bool OpenClipboard(CWnd* owner);
bool CloseClipboard();
bool EmptyClipboard();
// Hands the text to the clipboard; only while it is open.
bool SetClipboardText(const std::u16string& text);
// The Unicode text on the clipboard, if any; only while it is open.
std::optional<std::u16string> GetClipboardText();
// Text is available in both formats whenever there is any.
bool IsClipboardFormatAvailable(UINT format);
