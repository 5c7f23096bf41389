// The navigation commands' dialogs (file outline, go to line, options) and the caret moves
// the view makes with their answers.
#pragma once
#include <optional>
#include <string>

#include "platform/dialogs/Dialog.h"

class CCrystalTextBuffer;
class CCrystalTextView;
class CListBox;

// The file outline: the functions of the text in a list, one entry per declaring line;
// the chosen entry's line is the answer.
class COutlineDialog : public CDialog {
 public:
  // The buffer is scanned by the rules of the syntax language when the dialog opens.
  COutlineDialog(const CCrystalTextBuffer& buffer, int language, CWnd* parent = nullptr);

  // After OK: the line of the selected entry; none when no entry was selected.
  std::optional<int> GetSelectedLine() const { return selectedLine; }

 protected:
  // Fills the list; with nothing to list, says so and closes.
  bool OnInitDialog() override;
  void OnOK() override;
  void OnSize(UINT type, int cx, int cy) override;
  // A double tap on an entry confirms it, as OK does.
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

 private:
  CListBox* List() const;
  // The list fills the dialog, whatever way the screen is turned.
  void FitList();

  const CCrystalTextBuffer& buffer;
  int language;
  std::optional<int> selectedLine;
};

// Go to line: a line number with an up-down control, and the caret's line.
class CGotoLineDialog : public CDialog {
 public:
  explicit CGotoLineDialog(CWnd* parent = nullptr);

  int lineNumber = 0;   // the number entered, counted from 1; read after OK
  int currentLine = 0;  // the caret's line index, counted from 0, shown as it is

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  // Up and Down in the number step it, as the arrows beside it do.
  bool PreTranslateMessage(MSG* msg) override;
};

// Options: the editor font's size and its face, chosen among the fixed-pitch families.
class COptionsDialog : public CDialog {
 public:
  static constexpr int kMinFontSize = 2;
  static constexpr int kMaxFontSize = 20;

  COptionsDialog(int fontSize, std::u16string fontName, CWnd* parent = nullptr);

  // In: the current font; after OK: the chosen one (the name empty when no entry was chosen).
  int fontSize;
  std::u16string fontName;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void OnOK() override;
  // Up and Down in the size step it, as the arrows beside it do.
  bool PreTranslateMessage(MSG* msg) override;
};

// The caret moves the view makes with the answers (MoveToPosition also for Find Next).

// The line is clamped to the last line and the character to that line's length. The caret
// goes to the top first, then to pos, each time with pos scrolled into view; the selection
// collapses to the caret, which is shown and placed.
void MoveToPosition(CCrystalTextView& view, CPoint pos);

// Moves to the start of line + 10 and then to the start of line, so that the entry shows
// with the lines that follow it below.
void OutlineJump(CCrystalTextView& view, int line);

// Moves the caret to the start of the line numbered number (counted from 1; anything below
// 1 is the first line, anything at or past the line count the last), with the line two
// below it scrolled into view where there is one, and the caret's line always in view.
void GoToLine(CCrystalTextView& view, int number);
