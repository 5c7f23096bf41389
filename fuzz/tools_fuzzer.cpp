// Fuzz target: the tools file, in memory and through the file as the main frame loads it.
#include "FuzzArchive.h"
#include "tools/ToolsFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SetUpDevice();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzArchiveReader<ToolsMenu>(data, size);
  const std::u16string path = fuzz::WriteInput("Tovin.menu", data, size);
  std::unique_ptr<ToolsMenu> menu(LoadToolsMenu(path));
  FUZZ_CHECK(menu != nullptr);
  // The menu and the runner take every element as a tool.
  for (int i = 0; i < menu->GetCount(); ++i) {
    std::u16string description;
    FUZZ_CHECK(menu->GetAt(i) != nullptr);
    menu->GetAt(i)->GetDescription(description);
  }
  return 0;
}
