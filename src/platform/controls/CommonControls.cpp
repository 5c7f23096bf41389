// InitCommonControls: every control registers its window class here, one line each.
#include "platform/controls/CommonControls.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListCtrl.h"
#include "platform/controls/SpinButtonCtrl.h"
#include "platform/controls/Static.h"
#include "platform/controls/TreeCtrl.h"
#include "platform/ui/WindowClass.h"

void InitCommonControls() {
  RegisterClass(WC_STATIC, &CStatic::Make);
  RegisterClass(WC_BUTTON, &CButton::Make);
  RegisterClass(WC_EDIT, &CEdit::Make);
  RegisterClass(WC_LISTBOX, &CListBox::Make);
  RegisterClass(WC_COMBOBOX, &CComboBox::Make);
  RegisterClass(WC_LISTVIEW, &CListCtrl::Make);
  RegisterClass(WC_TREEVIEW, &CTreeCtrl::Make);
  RegisterClass(UPDOWN_CLASS, &CSpinButtonCtrl::Make);
}
