// Fuzz target: the settings file. Whatever it holds, what is read writes out as a text
// that reads back to the same settings.
#include "FuzzDevice.h"
#include "platform/registry/Registry.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SetUpDevice();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = plat::registry::FormatRegistryText(plat::registry::ParseRegistryText(bytes));
  FUZZ_CHECK(plat::registry::FormatRegistryText(plat::registry::ParseRegistryText(text)) == text);
  return 0;
}
