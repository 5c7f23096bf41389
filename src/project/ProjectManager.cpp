// ProjectManager: the model's operations and its project file.
#include "project/ProjectManager.h"

#include "paths/PathHelpers.h"
#include "platform/archive/Archive.h"
#include "platform/archive/ArchiveFile.h"

IMPLEMENT_SERIAL(ProjectManager, CObject, VERSIONABLE_SCHEMA | 2)

ProjectManager::ProjectManager() : items(std::make_unique<CObList2>()) {}

ProjectManager::~ProjectManager() { Clear(); }

void ProjectManager::EnsureItems() {
  if (!items) items = std::make_unique<CObList2>();
}

void ProjectManager::SetPath(std::u16string_view projectPath) {
  path = projectPath;
  directory.clear();
  SplitPath(path, nullptr, &directory, nullptr, nullptr);
  if (directory.size() > kMaxDirectory) directory.resize(kMaxDirectory);
}

void ProjectManager::AddFile(std::u16string_view filePath) {
  std::u16string name, extension;
  SplitPath(filePath, nullptr, nullptr, &name, &extension);
  auto item = std::make_unique<CProjectItem>();
  item->SetPathname(filePath);
  item->SetFilename(name + u"." + extension);
  item->SetGroupname(u"");
  EnsureItems();
  items->AddTail(item.release());
}

void ProjectManager::RemoveFile(std::u16string_view filePath) {
  if (!items) return;
  for (POSITION at = items->GetHeadPosition(); at;) {
    const POSITION here = at;
    auto* item = static_cast<CProjectItem*>(items->GetNext(at));
    const std::u16string* itemPath = item->Find(CProjectItem::kPathname);
    if (itemPath && *itemPath == filePath) {
      items->RemoveAt(here);
      delete item;
      return;
    }
  }
}

void ProjectManager::Clear() {
  if (items) {
    while (!items->IsEmpty()) delete items->RemoveHead();
  }
  groupNodes.RemoveAll();
  groupStates.RemoveAll();
}

bool ProjectManager::Save() { return WriteArchiveFile(path, *this); }

void ProjectManager::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar.WriteObject(items.get());
    ar << path << directory;
    return;
  }
  if (ar.GetObjectSchema() < 2) throw CArchiveException(CArchiveException::badSchema);
  Clear();
  std::unique_ptr<CObList2> list = ar.ReadObjectOf<CObList2>();
  // Everything that reads the list takes its elements as file entries.
  if (!list) throw CArchiveException(CArchiveException::badClass);
  for (CObject* element : *list)
    if (!element || !element->IsKindOf(RUNTIME_CLASS(CProjectItem))) throw CArchiveException(CArchiveException::badClass);
  items = std::move(list);
  std::u16string storedPath = ar.ReadString();
  std::u16string storedDirectory = ar.ReadString();
  path = std::move(storedPath);
  directory = std::move(storedDirectory);
}
