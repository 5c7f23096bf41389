// Opening a .csp project file.
#include "project/ProjectFile.h"

#include "platform/archive/ArchiveFile.h"

std::unique_ptr<ProjectManager> LoadProjectFile(std::u16string_view path) {
  ArchiveRead result = ArchiveRead::Read;
  std::unique_ptr<CObject> object = ReadArchiveFile(path, RUNTIME_CLASS(ProjectManager), result);
  if (result == ArchiveRead::Damaged || result == ArchiveRead::Refused) return nullptr;
  if (!object) return std::make_unique<ProjectManager>();
  return std::unique_ptr<ProjectManager>(static_cast<ProjectManager*>(object.release()));
}
