// The shell library's small entries: the soft input panel control, SHInitExtraControls, ordinal 9.
#pragma once
#include "platform/ui/Wnd.h"

// The soft input panel preference: an invisible dialog control that asks the host for its
// text input (the on-screen keyboard where there is one) while its dialog is up. When it
// goes, text input stays on: it is the program's resting state, which the editing view
// types through.
class CSipPrefControl : public CWnd {
 protected:
  int OnCreate() override;
  void OnDestroy() override;
  void OnPaint() override;
};

// Lets dialog templates hold the soft input panel preference (DialogItemKind::SipPref).
// Called once at start-up; calling it again changes nothing.
bool SHInitExtraControls();

// AYGSHELL.dll's export ordinal 9, which start-up calls once without arguments and whose
// result it ignores: there is nothing for it to do here, and it answers 0.
int AygshellOrdinal9();
