// Fuzz target: the .csp project file, in memory and through the file as the program opens it.
#include "FuzzArchive.h"
#include "project/ProjectFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SetUpDevice();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzArchiveReader<ProjectManager>(data, size);
  const std::u16string path = fuzz::WriteInput("p.csp", data, size);
  if (std::unique_ptr<ProjectManager> project = LoadProjectFile(path)) {
    // Everything that reads the list takes its elements as files.
    for (CObject* element : *project->GetItems()) FUZZ_CHECK(element && element->IsKindOf(RUNTIME_CLASS(CProjectItem)));
  }
  return 0;
}
