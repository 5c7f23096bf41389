// The find dialog.
#include "edit/FindDialog.h"

#include "platform/base/MessageBox.h"
#include "platform/controls/CommonControls.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/ui/Resources.h"
#include "resources/ResourceIds.h"
#include "view/CrystalTextView.h"

CFindDialog::CFindDialog(CCrystalTextView* buddyView) : CDialog(IDD_EDIT_FIND, buddyView), buddy(buddyView) {
  InitCommonControls();
}

bool CFindDialog::OnInitDialog() {
  const bool focusFirst = CDialog::OnInitDialog();
  UpdateFindNext();
  return focusFirst;
}

void CFindDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_EDIT_TEXT, searchText);
  DDX_Check(pDX, IDC_EDIT_WHOLE_WORD, wholeWord);
  DDX_Check(pDX, IDC_EDIT_MATCH_CASE, matchCase);
  DDX_Radio(pDX, IDC_EDIT_DIRECTION_UP, direction);
}

void CFindDialog::UpdateFindNext() {
  if (CWnd* button = GetDlgItem(IDOK)) button->EnableWindow(!GetDlgItemText(IDC_EDIT_TEXT).empty());
}

bool CFindDialog::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (id == IDC_EDIT_TEXT && code == static_cast<int>(EN_CHANGE)) {
    UpdateFindNext();
    return true;
  }
  return CDialog::OnCmdMsg(id, code, ui);
}

void CFindDialog::OnOK() {
  if (!UpdateData(true)) return;
  if (searchText.empty()) {
    EndDialog(IDOK);
    return;
  }
  DWORD flags = 0;
  if (matchCase) flags |= SearchMatchCase;
  if (wholeWord) flags |= SearchWholeWord;
  if (direction == 0) flags |= SearchUp;
  CPoint found;
  if (!buddy || !buddy->SearchText(searchText, currentPos, flags, true, found)) {
    plat::MessageBox(AfxLoadString(IDS_EDIT_TEXT_NOT_FOUND), plat::MB_OK);
    currentPos = CPoint(0, 0);
    return;
  }
  buddy->HighlightText(found, static_cast<int>(searchText.size()));
  EndDialog(IDOK);
}

void CFindDialog::OnCancel() {
  UpdateData(true);  // the caller may keep what was typed
  EndDialog(IDCANCEL);
}
