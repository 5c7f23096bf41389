// Template items that several of the program's dialogs share.
#pragma once
#include "platform/shell/AygShell.h"
#include "platform/ui/DialogTemplate.h"

// The soft input panel preference: it has no window to see, so it sits off the dialog.
inline DialogItemTemplate SipPref() { return {WC_SIPPREF, IDC_STATIC, u"", -10, -10, 5, 5, 0}; }
