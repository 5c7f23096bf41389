// CCrystalEditView: the text view that edits: typing, Enter, deleting, block indent and
// unindent, overwrite mode, cut, paste, undo and redo, and the replace command.
#pragma once
#include <string>

#include "view/CrystalTextView.h"

class CCrystalEditView : public CCrystalTextView {
 public:
  CCrystalEditView() = default;

  // True when a buffer is attached and may be changed; every editing command asks first.
  virtual bool QueryEditable();
  void OnBufferUpdate(CBufferView* source, CUpdateContext* context, DWORD flags, int line) override;

  bool GetOverwriteMode() const { return overwriteMode; }
  void SetOverwriteMode(bool on) { overwriteMode = on; }
  // Deletes the selection, inserts text at the caret and selects the inserted text; false
  // without a selection. Opens no undo group of its own.
  bool ReplaceSelection(const std::u16string& text);

  // Replace All from the match selected at first: every match from there to the end is
  // replaced as ReplaceSelection and the next forward search (no wrap) would replace them
  // one after the other, with the same text, undo history, selection and scroll position,
  // line by line. next is where that search would go on. False, with nothing done, when
  // the replacements cannot be made this way (a line break in the replacement, say).
  bool ReplaceAllFrom(CPoint first, const std::u16string& search, const std::u16string& replacement, DWORD flags,
                      CPoint& next);
  // The selection kept while the replace dialog runs, moved by edits as they happen.
  bool IsSelectionPushed() const { return selectionPushed; }
  void PushSelection(CPoint start, CPoint end);
  void PopSelection();

  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

 protected:
  void OnChar(UINT ch, UINT repCnt, UINT flags) override;
  // Puts the caret at pos with an empty selection there, and shows it.
  void PlaceCaret(CPoint pos);
  bool DeleteCurrentSelection();
  void OnEditDelete();
  void OnEditDeleteBack();
  void OnEditTab();
  void OnEditUntab();
  void OnEditCut();
  void OnEditPaste();
  void OnEditUndo();
  void OnEditRedo();
  // The replace command: the replace dialog over this view, its settings kept in the
  // registry, the selection restored afterwards.
  virtual void OnEditReplace();
  // Selects the whole lines a multi-line selection touches; false for a caret or a
  // selection within one line.
  bool SelectBlock(int& firstLine, int& lastLine);

  bool overwriteMode = false;
  bool selectionPushed = false;
  CPoint savedSelStart, savedSelEnd;
};
