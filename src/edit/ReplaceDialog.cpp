// The replace dialog and replace-all.
#include "edit/ReplaceDialog.h"

#include "edit/CrystalEditView.h"
#include "platform/base/MessageBox.h"
#include "platform/controls/CommonControls.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "resources/ResourceIds.h"

namespace {
void TextNotFound() {
  plat::MessageBox(AfxLoadString(IDS_EDIT_TEXT_NOT_FOUND), plat::MB_OK);
}
}  // namespace

CReplaceDialog::CReplaceDialog(CCrystalEditView* buddyView) : CDialog(IDD_EDIT_REPLACE, buddyView), buddy(buddyView) {
  InitCommonControls();
}

bool CReplaceDialog::OnInitDialog() {
  const bool focusFirst = CDialog::OnInitDialog();
  found = false;
  UpdateFindNext();
  return focusFirst;
}

void CReplaceDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Text(pDX, IDC_EDIT_TEXT, searchText);
  DDX_Text(pDX, IDC_EDIT_REPLACE_WITH, replaceText);
  DDX_Check(pDX, IDC_EDIT_WHOLE_WORD, wholeWord);
  DDX_Check(pDX, IDC_EDIT_MATCH_CASE, matchCase);
}

void CReplaceDialog::UpdateFindNext() {
  if (CWnd* button = GetDlgItem(IDC_EDIT_FIND_NEXT)) button->EnableWindow(!GetDlgItemText(IDC_EDIT_TEXT).empty());
}

bool CReplaceDialog::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (code == static_cast<int>(EN_CHANGE) && id == IDC_EDIT_TEXT) {
    UpdateFindNext();
    return true;
  }
  if (code == CN_COMMAND) {
    switch (id) {
      case IDC_EDIT_FIND_NEXT: OnFindNext(); return true;
      case IDC_EDIT_SKIP: OnReplace(); return true;
      case IDC_EDIT_REPLACE_ALL: OnReplaceAll(); return true;
      default: break;
    }
  }
  return CDialog::OnCmdMsg(id, code, ui);
}

DWORD CReplaceDialog::SearchFlags() const {
  DWORD flags = 0;
  if (matchCase) flags |= SearchMatchCase;
  if (wholeWord) flags |= SearchWholeWord;
  return flags;
}

bool CReplaceDialog::HighlightNext(bool silent) {
  scope = 1;
  const DWORD flags = SearchFlags();
  CPoint match;
  // Forward only: after the last match the next press starts again from the top.
  if (searchText.empty() || !buddy->SearchText(searchText, foundPos, flags, false, match)) {
    if (!silent) TextNotFound();
    currentPos = CPoint(0, 0);
    return false;
  }
  buddy->HighlightText(match, static_cast<int>(searchText.size()));
  foundPos = match;
  return true;
}

void CReplaceDialog::OnFindNext() {
  if (!UpdateData(true)) return;
  if (!found) foundPos = currentPos;
  else foundPos.x += 1;
  found = HighlightNext(false);
}

void CReplaceDialog::OnReplace() {
  if (!UpdateData(true)) return;
  if (found) {
    buddy->ReplaceSelection(replaceText);
    foundPos.x += static_cast<int>(replaceText.size());
  } else {
    foundPos = currentPos;
  }
  found = HighlightNext(false);
}

void CReplaceDialog::OnReplaceAll() {
  if (!UpdateData(true)) return;
  CWaitCursor wait;
  currentPos = foundPos = CPoint(0, 0);
  found = HighlightNext(false);
  // The view paints once at the end, not once for every match on the way.
  buddy->SetRedraw(false);
  // All at once, line by line, where the view can; one by one otherwise.
  if (found && buddy->ReplaceAllFrom(foundPos, searchText, replaceText, SearchFlags(), foundPos)) {
    currentPos = CPoint(0, 0);
    found = false;
  }
  while (found) {
    buddy->ReplaceSelection(replaceText);
    foundPos.x += static_cast<int>(replaceText.size());
    found = HighlightNext(true);
  }
  buddy->SetRedraw(true);
  plat::MessageBox(AfxLoadString(IDS_EDIT_ALL_REPLACED), plat::MB_OK);
}

void CReplaceDialog::OnOK() {
  UpdateData(true);
  EndDialog(IDOK);
}

void CReplaceDialog::OnCancel() {
  UpdateData(true);  // the caller stores what was typed, also when cancelled
  EndDialog(IDCANCEL);
}
