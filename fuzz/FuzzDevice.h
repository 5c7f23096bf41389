// What every fuzz target starts with: a private device in a temporary folder (in memory
// where the host offers /dev/shm), UTF-8 as the code page unless one is set, no message
// boxes, and a way to put the input into a file there.
#pragma once
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/base/MessageBox.h"
#include "platform/base/Strings.h"
#include "platform/fs/Mounts.h"

namespace fuzz {

inline std::string& Base() {
  static std::string base;
  return base;
}

inline void RemoveDevice() {
  std::error_code ignored;
  if (!Base().empty()) std::filesystem::remove_all(Base(), ignored);
}

inline void SetUpDevice() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = tmp && *tmp ? tmp : (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
  std::string pattern = folder + "/tovin-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data())) std::abort();
  Base() = pattern;
  for (const char* sub : {"root", "docs", "storage"}) std::filesystem::create_directory(Base() + "/" + sub);
  setenv("TOVIN_ROOT", (Base() + "/root").c_str(), 1);
  setenv("TOVIN_DOCUMENTS", (Base() + "/docs").c_str(), 1);
  setenv("TOVIN_STORAGE", (Base() + "/storage").c_str(), 1);
  setenv("TOVIN_CODEPAGE", "UTF-8", 0);
  plat::fs::ReloadMounts();
  plat::SetMessageBoxHandler([](std::u16string_view, std::u16string_view, unsigned) { return plat::IDOK; });
  std::atexit(RemoveDevice);
}

// Writes the bytes as a file of the documents folder; returns its device path.
inline std::u16string WriteInput(const std::string& name, const std::uint8_t* data, std::size_t size) {
  const std::string host = Base() + "/docs/" + name;
  std::FILE* f = std::fopen(host.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
  return u"\\My Documents\\" + plat::Widen(name);
}

inline std::string ReadHost(const std::string& name) {
  std::string out;
  if (std::FILE* f = std::fopen((Base() + "/docs/" + name).c_str(), "rb")) {
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
  }
  return out;
}

// A property the input broke: stop here, so that libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                   \
  do {                                                                          \
    if (!(condition)) {                                                         \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                             \
    }                                                                           \
  } while (0)

}  // namespace fuzz
