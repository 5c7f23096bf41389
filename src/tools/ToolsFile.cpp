// Reading and writing the tools list as a whole file.
#include "tools/ToolsFile.h"

#include <memory>

#include "platform/archive/ArchiveFile.h"

ToolsMenu* LoadToolsMenu(const std::u16string& path) {
  ArchiveRead result = ArchiveRead::Read;
  std::unique_ptr<CObject> object = ReadArchiveFile(path, RUNTIME_CLASS(ToolsMenu), result);
  if (result != ArchiveRead::Read || !object) return new ToolsMenu();
  return static_cast<ToolsMenu*>(object.release());
}

bool SaveToolsMenu(const ToolsMenu& menu, const std::u16string& path) { return WriteArchiveFile(path, menu); }
