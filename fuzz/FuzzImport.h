// Fuzzing an importer: any bytes import without a crash or a hang, every element is a file
// entry with a path, and no group is left open.
#pragma once
#include <cstddef>
#include <cstdint>

#include "FuzzDevice.h"
#include "project/ProjectManager.h"

namespace fuzz {

inline void FuzzImporter(const std::uint8_t* data, std::size_t size, const char* name, const char16_t* type,
                         bool (ProjectManager::*import)()) {
  static ProjectManager project;  // reused, as the program reuses its project
  const std::u16string path = WriteInput(name, data, size);
  project.Clear();
  project.SetType(type);
  project.SetPath(path);
  (project.*import)();
  FUZZ_CHECK(project.GetGroupStack().empty());
  for (CObject* element : *project.GetItems()) {
    FUZZ_CHECK(element && element->IsKindOf(RUNTIME_CLASS(CProjectItem)));
    FUZZ_CHECK(static_cast<CProjectItem*>(element)->Find(CProjectItem::kPathname) != nullptr);
  }
  FUZZ_CHECK(project.GetGroupNodes().GetCount() == project.GetGroupStates().GetCount());
}

}  // namespace fuzz

// One target per importer: NAME the file's name, TYPE the kind word, IMPORT the reader.
#define TOVIN_IMPORT_FUZZER(NAME, TYPE, IMPORT)                                   \
  extern "C" int LLVMFuzzerInitialize(int*, char***) {                            \
    fuzz::SetUpDevice();                                                          \
    return 0;                                                                     \
  }                                                                               \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    fuzz::FuzzImporter(data, size, NAME, TYPE, IMPORT);                           \
    return 0;                                                                     \
  }
