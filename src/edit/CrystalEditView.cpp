// CCrystalEditView: typing, Enter, deleting, overwrite mode and the command table.
#include "edit/CrystalEditView.h"

#include "platform/base/CodePage.h"
#include "platform/base/Debug.h"
#include "platform/base/Strings.h"
#include "resources/CommandIds.h"

bool CCrystalEditView::QueryEditable() { return buffer && !buffer->GetReadOnly(); }

void CCrystalEditView::OnBufferUpdate(CBufferView* source, CUpdateContext* context, DWORD flags, int line) {
  CCrystalTextView::OnBufferUpdate(source, context, flags, line);
  if (selectionPushed && context) {
    context->RecalcPoint(savedSelStart);
    context->RecalcPoint(savedSelEnd);
  }
}

void CCrystalEditView::PushSelection(CPoint start, CPoint end) {
  savedSelStart = start;
  savedSelEnd = end;
  selectionPushed = true;
}

void CCrystalEditView::PopSelection() {
  if (!selectionPushed) return;
  selectionPushed = false;
  SetSelection(savedSelStart, savedSelEnd);
  anchor = savedSelStart;
  caret = savedSelEnd;
  UpdateCaret();
  EnsureVisible(caret);
}

void CCrystalEditView::PlaceCaret(CPoint pos) {
  SetSelection(pos, pos);
  anchor = pos;
  caret = pos;
  idealColumn = CharToColumn(pos.y, pos.x);
  UpdateCaret();
  EnsureVisible(pos);
}

bool CCrystalEditView::DeleteCurrentSelection() {
  if (!HasSelection()) return false;
  CPoint start, end;
  GetSelection(start, end);
  PlaceCaret(start);
  return buffer->DeleteText(this, start.y, start.x, end.y, end.x);
}

bool CCrystalEditView::ReplaceSelection(const std::u16string& text) {
  if (!HasSelection() || !QueryEditable()) return false;
  DeleteCurrentSelection();
  const CPoint at = caret;
  int endLine = at.y, endChar = at.x;
  if (!text.empty()) buffer->InsertText(this, at.y, at.x, text, endLine, endChar);
  const CPoint end(endChar, endLine);
  anchor = end;
  SetSelection(at, end);
  caret = end;
  UpdateCaret();
  EnsureVisible(end);
  return true;
}

void CCrystalEditView::OnChar(UINT ch, UINT, UINT) {
  if (!buffer) return;
  if (ch == 13) {
    if (overwriteMode && caret.y < GetLineCount() - 1) {
      PlaceCaret(CPoint(0, caret.y + 1));
      return;
    }
    buffer->BeginUndoGroup(false);
    if (QueryEditable()) {
      DeleteCurrentSelection();
      int endLine, endChar;
      if (buffer->InsertText(this, caret.y, caret.x, u"\r\n", endLine, endChar)) PlaceCaret(CPoint(endChar, endLine));
    }
    buffer->FlushUndoGroup();
    return;
  }
  if (ch < 32 || !QueryEditable()) return;
  // The character as typed; a code page that cannot hold it refuses it rather than
  // writing something else into the file.
  const char16_t c = static_cast<char16_t>(ch);
  const plat::CodePage& cp = plat::CodePage::System();
  const bool surrogateHalf = c >= 0xD800 && c <= 0xDFFF;  // half of a pair, typed unit by unit
  if (surrogateHalf ? !cp.IsUtf8() : !cp.CanEncode(c)) return;
  buffer->BeginUndoGroup(c != u' ');
  CPoint at = caret;
  if (!HasSelection()) {
    if (overwriteMode && caret.x < GetLineLength(caret.y)) buffer->DeleteText(this, caret.y, caret.x, caret.y, caret.x + 1);
  } else {
    CPoint start, end;
    GetSelection(start, end);
    DeleteCurrentSelection();
    at = start;
  }
  const std::u16string text(1, c);
  int endLine = at.y, endChar = at.x;
  if (buffer->InsertText(this, at.y, at.x, text, endLine, endChar)) {
    plat::DebugOut(u"Insert Text: " + text + u"\r\n");
    PlaceCaret(CPoint(endChar, endLine));
  }
  buffer->FlushUndoGroup();
  UpdateSingleLine(caret.y);
}

void CCrystalEditView::OnEditDelete() {
  if (!QueryEditable()) return;
  if (DeleteCurrentSelection()) return;
  CPoint start = caret, end = caret;
  if (caret.x < GetLineLength(caret.y)) {
    end.x = caret.x + 1;
  } else if (caret.y < GetLineCount() - 1) {
    end = CPoint(0, caret.y + 1);
  } else {
    return;
  }
  PlaceCaret(start);
  buffer->DeleteText(this, start.y, start.x, end.y, end.x);
}

void CCrystalEditView::OnEditDeleteBack() {
  if (HasSelection()) {
    OnEditDelete();
    return;
  }
  if (!QueryEditable()) return;
  CPoint start = caret;
  const CPoint end = caret;
  if (caret.x > 0) {
    start.x = caret.x - 1;
  } else if (caret.y > 0) {
    start = CPoint(GetLineLength(caret.y - 1), caret.y - 1);
  } else {
    return;
  }
  PlaceCaret(start);
  buffer->DeleteText(this, start.y, start.x, end.y, end.x);
}

void CCrystalEditView::OnEditCut() {
  if (!QueryEditable() || !HasSelection()) return;
  CPoint start, end;
  GetSelection(start, end);
  std::u16string text;
  buffer->GetText(start.y, start.x, end.y, end.x, text, u"\r\n");
  PutToClipboard(text);
  PlaceCaret(start);
  buffer->DeleteText(this, start.y, start.x, end.y, end.x);
}

void CCrystalEditView::OnEditPaste() {
  if (!QueryEditable()) return;
  // The clipboard is read first: with nothing to paste, the selection and the history
  // stay as they are.
  std::u16string text;
  if (!GetFromClipboard(text) || text.empty()) return;
  buffer->BeginUndoGroup(false);
  DeleteCurrentSelection();
  int endLine, endChar;
  if (buffer->InsertText(this, caret.y, caret.x, text, endLine, endChar)) PlaceCaret(CPoint(endChar, endLine));
  buffer->FlushUndoGroup();
}

void CCrystalEditView::OnEditUndo() {
  CPoint pos;
  if (buffer && buffer->CanUndo() && buffer->Undo(pos)) PlaceCaret(pos);
}

void CCrystalEditView::OnEditRedo() {
  CPoint pos;
  if (buffer && buffer->CanRedo() && buffer->Redo(pos)) PlaceCaret(pos);
}

bool CCrystalEditView::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  if (code == CN_UPDATE_COMMAND_UI) {
    switch (id) {
      case ID_EDIT_SWITCH_OVRMODE: ui->SetCheck(overwriteMode ? 1 : 0); return true;
      case ID_EDIT_CUT: ui->Enable(HasSelection()); return true;
      case ID_EDIT_PASTE: ui->Enable(CanPaste()); return true;
      case ID_EDIT_UNDO: ui->Enable(buffer && buffer->CanUndo()); return true;
      case ID_EDIT_REDO: ui->Enable(buffer && buffer->CanRedo()); return true;
      case ID_EDIT_INDICATOR_COL: ui->Enable(false); return true;
      case ID_EDIT_INDICATOR_CRLF: ui->Enable(buffer && buffer->GetReadOnly()); return true;
      default: return CCrystalTextView::OnCmdMsg(id, code, ui);
    }
  }
  switch (id) {
    case ID_EDIT_DELETE: OnEditDelete(); return true;
    case ID_EDIT_DELETE_BACK: OnEditDeleteBack(); return true;
    case ID_EDIT_TAB: OnEditTab(); return true;
    case ID_EDIT_UNTAB: OnEditUntab(); return true;
    case ID_EDIT_SWITCH_OVRMODE: overwriteMode = !overwriteMode; return true;
    case ID_EDIT_CUT: OnEditCut(); return true;
    case ID_EDIT_PASTE: OnEditPaste(); return true;
    case ID_EDIT_UNDO: OnEditUndo(); return true;
    case ID_EDIT_REDO: OnEditRedo(); return true;
    case ID_EDIT_REPLACE: OnEditReplace(); return true;
    default: return CCrystalTextView::OnCmdMsg(id, code, ui);
  }
}
