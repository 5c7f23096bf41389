// Dialog data exchange: moving values between a dialog's controls and its members (DDX_*)
// and checking them on the way out (DDV_*). A value that does not pass shows its message,
// gives its control the focus and fails the exchange; the calls after it then do nothing.
#pragma once
#include <string>

#include "platform/base/Types.h"

class CDialog;
class CWnd;

class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, bool saveAndValidate);

  bool m_bSaveAndValidate;  // true: controls to members, with checks
  CDialog* m_pDlgWnd;

  // The control the next check is about (null when the dialog has none with this id).
  CWnd* PrepareCtrl(UINT id);
  // The same for an edit, whose text is selected when it fails.
  CWnd* PrepareEditCtrl(UINT id);
  // The control prepared last, or null.
  CWnd* LastCtrl() const;
  // Fails the exchange: the control prepared last gets the focus.
  void Fail();
  bool Failed() const { return failed; }

 private:
  UINT lastId = 0;
  bool lastIsEdit = false;
  bool failed = false;
};

void DDX_Text(CDataExchange* pDX, UINT id, std::u16string& value);
// A decimal integer; text that is not one fails with "Please enter an integer.".
void DDX_Text(CDataExchange* pDX, UINT id, int& value);
// BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* pDX, UINT id, int& value);
// The index of the checked radio button in the group that starts at id (-1: none).
void DDX_Radio(CDataExchange* pDX, UINT id, int& value);
// "Please enter an integer between %1 and %2." when value is outside [min, max].
void DDV_MinMaxInt(CDataExchange* pDX, int value, int min, int max);
// On the way in limits the edit to count characters; on the way out refuses longer text.
void DDV_MaxChars(CDataExchange* pDX, const std::u16string& value, int count);
