// What the importers share: reading the lines of the project file, the groups, and the
// "SOURCE=" lines of the Visual Studio and Visual C++ formats.
#include "paths/PathHelpers.h"
#include "platform/base/Debug.h"
#include "platform/base/Errors.h"
#include "project/ImportText.h"
#include "project/LineReader.h"
#include "project/ProjectManager.h"

bool ProjectManager::ReadLines(void (ProjectManager::*handler)(std::u16string&), bool missingIsEmpty) {
  plat::DebugOut(u"Parsing Project File\r\n");
  EnsureItems();
  // A block left open by an earlier file says nothing about this one.
  inSourceFile = false;
  groupStack.clear();
  const std::uint32_t e = ReadFileLines(path, [&](std::u16string& line) { (this->*handler)(line); });
  groupStack.clear();
  if (e == plat::ERROR_SUCCESS) return true;
  const bool missing = e == plat::ERROR_FILE_NOT_FOUND || e == plat::ERROR_PATH_NOT_FOUND || e == plat::ERROR_INVALID_NAME;
  return missing && missingIsEmpty;
}

void ProjectManager::EnterGroup(const std::u16string& name) {
  groupNodes.SetAt(name, TreeNodeHandle{});
  groupStates.SetAt(name, u"0");
}

void ProjectManager::AddItem(std::u16string_view itemPath, std::u16string_view group) {
  std::u16string name, extension;
  SplitPath(itemPath, nullptr, nullptr, &name, &extension);
  AddItem(itemPath, name, extension, group);
}

void ProjectManager::AddItem(std::u16string_view itemPath, const std::u16string& name, const std::u16string& extension,
                             std::u16string_view group) {
  auto item = std::make_unique<CProjectItem>();
  item->SetPathname(itemPath);
  item->SetFilename(name + u"." + extension);
  item->SetGroupname(group);
  EnsureItems();
  items->AddTail(item.release());
}

bool ProjectManager::AddSourceLine(std::u16string_view line) {
  constexpr std::u16string_view kSource = u"SOURCE=";
  const std::size_t at = line.find(kSource);
  if (at == std::u16string_view::npos || import_text::NamesImage(line)) return false;
  // The path is taken as it stands: quotes and blanks stay.
  const std::u16string_view itemPath = line.substr(at + kSource.size());
  std::u16string name, extension;
  SplitPath(itemPath, nullptr, nullptr, &name, &extension);
  if (name.empty()) return false;
  AddItem(itemPath, name, extension, groupStack.empty() ? std::u16string_view() : std::u16string_view(groupStack.back()));
  return true;
}
