// CSampleView.
#include "navigation/SampleView.h"

#include "navigation/NavigationCommands.h"
#include "navigation/ViewHosts.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "syntax/SyntaxLanguage.h"

CSampleView::CSampleView() = default;

CEditorFrameHost* CSampleView::Frame() {
  if (!mainFrame) mainFrame = dynamic_cast<CEditorFrameHost*>(GetParentFrame());
  return mainFrame;
}

CTextDocumentHost* CSampleView::Document() { return dynamic_cast<CTextDocumentHost*>(GetDocument()); }

CCrystalTextBuffer* CSampleView::LocateBuffer() {
  CTextDocumentHost* doc = Document();
  return doc ? doc->GetTextBuffer() : nullptr;
}

ParseCookie CSampleView::ColorizeLine(ParseCookie cookie, int line, ColorRun* runs, int& runCount) {
  // The parser may correct the case of a Basic keyword in the line's own text.
  auto* text = const_cast<char16_t*>(GetLineText(line));
  return ColorizeLineForLanguage(cookie, text, GetLineLength(line), runs, runCount);
}

void CSampleView::ParseLineStates(ParseCookie cookie, int first, int n, ParseCookie* out) {
  ParseLineStatesBy(ColorizeLinesForLanguage, cookie, first, n, out);
}

void CSampleView::TakeFrameFont() {
  CEditorFrameHost* frame = Frame();
  CTextDocumentHost* doc = Document();
  if (!frame || !doc) return;
  doc->GetFontInfo() = frame->GetEditorFontRecord();
  SetFont(doc->GetFontInfo());
}

void CSampleView::OnInitialUpdate() {
  AttachToBuffer(nullptr);
  mainFrame = dynamic_cast<CEditorFrameHost*>(GetParentFrame());
  TakeFrameFont();
  SetSelectionMargin(false);
  UpdateCaret();
}

void CSampleView::OnFindNext() {
  CEditorFrameHost* frame = Frame();
  std::u16string text;
  if (!frame || !frame->GetSearchText(text)) return;
  CPoint found;
  if (!SearchText(text, GetCaretPos(), 0, true, found)) {
    std::u16string message = AfxLoadString(IDS_FIND_NEXT_NOT_FOUND);
    plat::ReplaceAllIn(message, u"%1", text);
    plat::MessageBox(message, u"", plat::MB_OK);
    return;
  }
  CWnd* hadFocus = CWnd::GetFocus();
  SetFocus();
  MoveToPosition(*this, found);
  HighlightText(found, static_cast<int>(text.size()));
  UpdateWindow();
  if (hadFocus && hadFocus != this && hadFocus->IsWindow()) hadFocus->SetFocus();
}

void CSampleView::OnFileOutline() {
  if (!GetBuffer()) return;
  COutlineDialog dlg(*GetBuffer(), GetSyntaxLanguage(), this);
  if (dlg.DoModal() != IDOK) return;
  if (const auto line = dlg.GetSelectedLine()) OutlineJump(*this, *line);
}

void CSampleView::OnGotoLine() {
  if (!GetBuffer()) return;
  CGotoLineDialog dlg(this);
  dlg.currentLine = GetCaretPos().y;
  if (dlg.DoModal() != IDOK) return;
  GoToLine(*this, dlg.lineNumber);
}

void CSampleView::OnOptions() {
  CEditorFrameHost* frame = Frame();
  if (!frame) return;
  COptionsDialog dlg(frame->GetFontSize(), frame->GetFontName(), this);
  if (dlg.DoModal() != IDOK) return;
  CWaitCursor wait;
  frame->ChangeEditorFont(dlg.fontSize, dlg.fontName);
  TakeFrameFont();
  MoveToPosition(*this, CPoint(0, 0));
}

bool CSampleView::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
  switch (id) {
    case ID_TOOLS_FILE_OUTLINE:
      if (code == CN_COMMAND) OnFileOutline();
      return true;
    case ID_EDIT_GOTO_LINE:
      if (code == CN_COMMAND) OnGotoLine();
      return true;
    case ID_FIND_NEXT:
      if (code == CN_COMMAND) OnFindNext();
      return true;
    case ID_TOOLS_OPTIONS:
      if (code == CN_COMMAND) OnOptions();
      return true;
    default: return CCrystalEditView::OnCmdMsg(id, code, ui);
  }
}
