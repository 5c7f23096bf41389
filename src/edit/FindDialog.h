// The find dialog: search text, whole word, match case and direction, bound to a view.
#pragma once
#include <string>

#include "platform/dialogs/Dialog.h"

class CCrystalTextView;

class CFindDialog : public CDialog {
 public:
  explicit CFindDialog(CCrystalTextView* buddy);

  std::u16string searchText;
  int wholeWord = 0;
  int matchCase = 0;
  int direction = 1;  // 0 up, 1 down
  CPoint currentPos;  // where the search starts

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;  // Find Next
  void OnCancel() override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

 private:
  void UpdateFindNext();
  CCrystalTextView* buddy;
};
