// The dialogs of the external tools: the list editor "Customize Tools Menu", which edits
// the frame's tools list in place, a tool's properties, and the arguments asked for before
// a tool runs.
#pragma once
#include <string>

#include "platform/dialogs/Dialog.h"

class CListBox;
class ToolItem;
class ToolsMenu;

// The list of tools by description with Add, Modify (the default, also a double tap),
// Remove, Up and Down. Every change reaches the list at once: ending with Cancel does not
// undo them.
class CCustomizeToolsDialog : public CDialog {
 public:
  explicit CCustomizeToolsDialog(ToolsMenu& tools, CWnd* parent = nullptr);

  CListBox* List() const;
  // The list again from the tools, keeping the selection where it can.
  void FillList();
  // Modify and Remove with at least one tool; Up and Down with two or more, except at the
  // first and the last entry.
  void UpdateButtons();

  void AddTool();
  void ModifyTool();
  void RemoveTool();
  void MoveTool(bool up);

 protected:
  bool OnInitDialog() override;
  bool OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

 private:
  ToolItem* Selected() const;
  // Runs the properties of tool over this dialog, which is disabled meanwhile and comes
  // back to the top after; true when they ended with OK.
  bool EditProperties(ToolItem& tool);
  void Select(int index);

  ToolsMenu& tools;
};

// A tool's description, program, working directory, arguments and prompt switch; the
// tool changes only when the dialog ends with OK, and then holds all five.
class CToolPropertiesDialog : public CDialog {
 public:
  explicit CToolPropertiesDialog(ToolItem& tool, CWnd* parent = nullptr);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;

 private:
  ToolItem& tool;
};

// The arguments of one run, titled with the tool's description and starting with its
// stored arguments; after OK, arguments holds the text entered.
class CToolArgumentsDialog : public CDialog {
 public:
  CToolArgumentsDialog(std::u16string description, std::u16string arguments, CWnd* parent = nullptr);

  std::u16string description;
  std::u16string arguments;

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
};
