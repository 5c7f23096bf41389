// The replace dialog: Find Next, Replace and Replace All over the whole text of a view.
#pragma once
#include <string>

#include "platform/dialogs/Dialog.h"

class CCrystalEditView;

class CReplaceDialog : public CDialog {
 public:
  explicit CReplaceDialog(CCrystalEditView* buddy);

  std::u16string searchText;
  std::u16string replaceText;
  int wholeWord = 0;
  int matchCase = 0;
  CPoint currentPos;
  int scope = 1;  // 0 the selection, 1 the whole text
  bool enableScopeSelection = true;
  CPoint blockBegin, blockEnd;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

 private:
  DWORD SearchFlags() const;
  // Selects the next match from the found position; false (and, unless silent, the
  // message) when there is none.
  bool HighlightNext(bool silent);
  void OnFindNext();
  void OnReplace();
  void OnReplaceAll();
  void UpdateFindNext();

  CCrystalEditView* buddy;
  bool found = false;
  CPoint foundPos;
};
