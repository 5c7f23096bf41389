// tovin-loadsave: loads a file into the text buffer and saves it back, for timing from outside.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "buffer/TextBuffer.h"
#include "platform/fs/Mounts.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tovin-loadsave FILE\n");
    return 2;
  }
  // Every mount points at the file's own folder, so the run reads and writes nothing else
  // (no settings, no device root under the user's home).
  const std::string host = plat::fs::AbsoluteHostPath(argv[1]);
  const std::string folder = host.substr(0, host.find_last_of('/') == 0 ? 1 : host.find_last_of('/'));
  for (const char* name : {"TOVIN_ROOT", "TOVIN_DOCUMENTS", "TOVIN_STORAGE"}) setenv(name, folder.c_str(), 1);
  plat::fs::ReloadMounts();
  const std::u16string device = plat::fs::ToDevice(host);

  CCrystalTextBuffer buffer;
  if (!buffer.LoadFromFile(device)) {
    std::fprintf(stderr, "tovin-loadsave: %s: not loaded\n", argv[1]);
    return 1;
  }
  if (!buffer.SaveToFile(device)) {
    std::fprintf(stderr, "tovin-loadsave: %s: not saved\n", argv[1]);
    return 1;
  }
  return 0;
}
