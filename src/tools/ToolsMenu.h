// ToolsMenu: the user's external tools in menu order, each listed at the end of the Tools
// menu. The list owns its tools: removing one deletes it, and so does the list's end.
#pragma once
#include <memory>

#include "platform/archive/Object.h"
#include "project/ObList2.h"
#include "tools/ToolItem.h"

class ToolsMenu : public CObject {
  DECLARE_SERIAL(ToolsMenu)

 public:
  ToolsMenu();
  ~ToolsMenu() override;

  // Takes the tool and appends it at the end.
  void AddTool(ToolItem* tool);
  int GetCount() const { return tools->GetCount(); }
  // The tool at index from 0, or null when there is none there.
  ToolItem* GetAt(int index) const;
  // One place towards the start (a first tool stays first); false when the tool is not listed.
  bool MoveUp(ToolItem* tool);
  // One place towards the end (a last tool stays last); false when the tool is not listed.
  bool MoveDown(ToolItem* tool);
  // Unlinks and deletes the tool; false when it is not listed.
  bool RemoveTool(ToolItem* tool);
  // Deletes every tool.
  void RemoveAll();

  // Storing: the list as an object. Loading: the list read must hold tools only; anything
  // else makes the whole archive damaged and leaves this list empty.
  void Serialize(CArchive& ar) override;

 private:
  std::unique_ptr<CObList2> tools;
};
