// ToolItem and ToolsMenu.
#include "tools/ToolsMenu.h"

#include <utility>

#include "platform/archive/Archive.h"

IMPLEMENT_SERIAL(ToolItem, CObject, 1)
IMPLEMENT_SERIAL(ToolsMenu, CObject, 1)

ToolItem::ToolItem() : properties(std::make_unique<CMapStringToString>()) { SetDescription(kNewDescription); }

ToolItem::~ToolItem() = default;

bool ToolItem::GetPromptForArgs() const {
  const std::u16string* value = properties->Find(kPromptForArgs);
  return value && *value == u"1";
}

void ToolItem::Serialize(CArchive& ar) { SerializeTable(ar, properties); }

ToolsMenu::ToolsMenu() : tools(std::make_unique<CObList2>()) {}

ToolsMenu::~ToolsMenu() = default;  // the list deletes the tools still in it

void ToolsMenu::AddTool(ToolItem* tool) {
  if (tool) tools->AddTail(tool);
}

ToolItem* ToolsMenu::GetAt(int index) const {
  if (index < 0) return nullptr;
  POSITION at = tools->FindIndex(index);
  return at ? static_cast<ToolItem*>(tools->GetAt(at)) : nullptr;
}

bool ToolsMenu::MoveUp(ToolItem* tool) {
  POSITION at = tool ? tools->Find(tool) : nullptr;
  if (!at) return false;
  POSITION before = at;
  tools->GetPrev(before);
  if (!before) return true;  // already first
  tools->RemoveAt(at);
  tools->InsertBefore(before, tool);
  return true;
}

bool ToolsMenu::MoveDown(ToolItem* tool) {
  POSITION at = tool ? tools->Find(tool) : nullptr;
  if (!at) return false;
  POSITION after = at;
  tools->GetNext(after);
  if (!after) return true;  // already last
  tools->RemoveAt(at);
  tools->InsertAfter(after, tool);
  return true;
}

bool ToolsMenu::RemoveTool(ToolItem* tool) {
  POSITION at = tool ? tools->Find(tool) : nullptr;
  if (!at) return false;
  tools->RemoveAt(at);
  delete tool;  // the list owned it
  return true;
}

void ToolsMenu::RemoveAll() {
  while (CObject* tool = tools->RemoveHead()) delete tool;
}

void ToolsMenu::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteObject(tools.get());
    return;
  }
  RemoveAll();
  std::unique_ptr<CObList2> list = ar.ReadObjectOf<CObList2>();
  if (!list) throw CArchiveException(CArchiveException::badClass);
  // The menu and the runner take every element as a tool.
  for (CObject* element : *list)
    if (!element || !element->IsKindOf(RUNTIME_CLASS(ToolItem))) throw CArchiveException(CArchiveException::badClass);
  tools = std::move(list);
}
