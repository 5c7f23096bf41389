// Fuzz target: the text loader. Every text that loads saves back byte for byte.
#include "FuzzDevice.h"
#include "buffer/TextBuffer.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SetUpDevice();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string in = fuzz::WriteInput("in.txt", data, size);
  CCrystalTextBuffer buffer;
  if (!buffer.LoadFromFile(in)) return 0;  // refused for a line too long
  FUZZ_CHECK(buffer.GetLineCount() >= 1);
  FUZZ_CHECK(buffer.SaveToFile(u"\\My Documents\\out.txt"));
  FUZZ_CHECK(fuzz::ReadHost("out.txt") == std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
