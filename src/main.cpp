// The executable tovin: loads the file named on its command line into the text buffer.
#include <cstdio>
#include <string>

#include "buffer/TextBuffer.h"
#include "platform/base/Strings.h"
#include "platform/fs/Mounts.h"

#ifndef TOVIN_SAMPLES_DIR
#define TOVIN_SAMPLES_DIR "samples"
#endif

int main(int argc, char** argv) {
  // The whole command line is one path: a name with spaces may arrive as several words.
  std::string hostPath;
  for (int i = 1; i < argc; ++i) hostPath += (i > 1 ? " " : "") + std::string(argv[i]);
  if (hostPath.empty()) hostPath = TOVIN_SAMPLES_DIR "/hello.cpp";

  const std::u16string path = plat::fs::ToDevice(hostPath);
  CCrystalTextBuffer buffer;
  const bool whole = buffer.LoadFromFile(path);
  static const char* const kModes[] = {"CR LF", "LF CR", "LF"};
  const std::string name = hostPath.substr(hostPath.find_last_of('/') + 1);
  std::printf("%s: %d lines, line ends %s%s\n", name.c_str(), buffer.GetLineCount(), kModes[buffer.GetCRLFMode()],
              whole ? (buffer.GetReadOnly() ? ", read-only" : "") : ", not loaded whole");
  return whole ? 0 : 1;
}
