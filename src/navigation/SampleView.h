// CSampleView: the application's view: the editing view joined to the document's text, the
// frame's font and search text, the language's parser, and the navigation commands.
#pragma once
#include "edit/CrystalEditView.h"

class CEditorFrameHost;
class CTextDocumentHost;

class CSampleView : public CCrystalEditView {
 public:
  CSampleView();

  void OnInitialUpdate() override;
  CCrystalTextBuffer* LocateBuffer() override;
  ParseCookie ColorizeLine(ParseCookie cookie, int line, ColorRun* runs, int& runCount) override;
  void ParseLineStates(ParseCookie cookie, int first, int n, ParseCookie* out) override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

  // Searches the frame's search text from the caret, going round the end.
  void OnFindNext();
  void OnFileOutline();
  void OnGotoLine();
  void OnOptions();

 protected:
  CEditorFrameHost* Frame();
  CTextDocumentHost* Document();
  // Takes the frame's editor font into the document's record and draws with it.
  void TakeFrameFont();

 private:
  CEditorFrameHost* mainFrame = nullptr;  // the main frame, taken at the initial update
};
