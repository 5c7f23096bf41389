// The shell library's small entries: the soft input panel control, SHInitExtraControls, ordinal 9.
#pragma once
#include <memory>

#include "platform/ui/WindowClass.h"
#include "platform/ui/Wnd.h"

// The soft input panel preference's window class.
constexpr char16_t WC_SIPPREF[] = u"SIPPREF";

// The soft input panel preference: an invisible dialog control that asks the host for its
// text input (the on-screen keyboard where there is one) while its dialog is up. When it
// goes, text input stays on: it is the program's resting state, which the editing view
// types through.
class CSipPrefControl : public CWnd {
 public:
  // Makes and creates the control for the class registry: never seen, it takes no room
  // and no tab stop, whatever the template gives it.
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

 protected:
  int OnCreate() override;
  void OnDestroy() override;
  void OnPaint() override;
};

// Registers the soft input panel preference's window class ("SIPPREF"), so that dialog
// templates can hold it. Called once at start-up; calling it again changes nothing.
bool SHInitExtraControls();

// AYGSHELL.dll's export ordinal 9, which start-up calls once without arguments and whose
// result it ignores: there is nothing for it to do here, and it answers 0.
int AygshellOrdinal9();
