// A private device for the benchmarks: temporary root, documents and storage, the texts, removal at exit or on a signal.
#pragma once
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/fs/Mounts.h"
#include "platform/registry/Registry.h"

namespace bench {

// A text file written into the device's documents folder.
struct BenchFile {
  std::string host;
  std::u16string device;
  long long bytes = 0;
  int lines = 0;  // what a buffer holding it must have: one more than its line ends
};

// What the signal handler removes: files first, then folders, deepest first. Fixed arrays,
// because only plain system calls are safe in a handler. The settings store writes its file
// (and, for a moment, a temporary beside it) under root/Windows.
struct CleanupList {
  static constexpr int kFiles = 8;
  static constexpr int kFolders = 6;
  char files[kFiles][4096] = {};
  char folders[kFolders][4096] = {};
};
inline CleanupList cleanup;

inline void RemoveOnSignal(int sig) {
  for (auto& p : cleanup.files)
    if (p[0]) unlink(p);
  for (auto& p : cleanup.folders)
    if (p[0]) rmdir(p);
  signal(sig, SIG_DFL);
  raise(sig);
}

class CBenchDevice {
 public:
  CBenchDevice() = default;
  CBenchDevice(const CBenchDevice&) = delete;
  CBenchDevice& operator=(const CBenchDevice&) = delete;
  ~CBenchDevice() { Remove(); }

  // Makes the folders under $TMPDIR, points the mount table and the settings store at them
  // and arms the removal on SIGINT and SIGTERM.
  bool Create(const char* prefix) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "-XXXXXX";
    if (!mkdtemp(pattern.data())) return false;
    base = pattern;
    // Deepest first, as the handler removes them.
    AddFolder(base + "/root/Windows");
    for (const char* sub : {"root", "docs", "storage"}) {
      std::filesystem::create_directory(base + "/" + sub);
      AddFolder(base + "/" + sub);
    }
    AddFolder(base);
    AddFile(base + "/root/Windows/registry.ini");
    setenv("TOVIN_ROOT", (base + "/root").c_str(), 1);
    setenv("TOVIN_DOCUMENTS", (base + "/docs").c_str(), 1);
    setenv("TOVIN_STORAGE", (base + "/storage").c_str(), 1);
    plat::fs::ReloadMounts();
    CRegistry::Get().Reload();
    std::signal(SIGINT, RemoveOnSignal);
    std::signal(SIGTERM, RemoveOnSignal);
    return true;
  }

  // Writes a file of the documents folder from pieces: produce(sink) calls sink(bytes)
  // for each piece in order. Counts bytes and lines as it goes.
  template <class Produce>
  bool Write(const std::string& name, Produce&& produce, BenchFile& file) {
    file.host = base + "/docs/" + name;
    file.device = plat::fs::ToDevice(file.host);
    AddFile(file.host);
    std::FILE* out = std::fopen(file.host.c_str(), "wb");
    if (!out) return false;
    bool ok = true;
    file.bytes = 0;
    file.lines = 1;
    produce([&](std::string_view piece) {
      if (ok && std::fwrite(piece.data(), 1, piece.size(), out) != piece.size()) ok = false;
      file.bytes += static_cast<long long>(piece.size());
      for (char c : piece) file.lines += c == '\n';
    });
    return std::fclose(out) == 0 && ok;
  }

  // The documents and storage become the folder of a file outside the device (the root
  // stays private); returns the file's device path.
  static std::u16string UseFileFolder(const char* file) {
    const std::string host = plat::fs::AbsoluteHostPath(file);
    const std::string folder = host.substr(0, host.find_last_of('/') == 0 ? 1 : host.find_last_of('/'));
    setenv("TOVIN_DOCUMENTS", folder.c_str(), 1);
    setenv("TOVIN_STORAGE", folder.c_str(), 1);
    plat::fs::ReloadMounts();
    return plat::fs::ToDevice(host);
  }

  const std::string& Base() const { return base; }

  void Remove() {
    if (base.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(base, ignored);
    base.clear();
  }

 private:
  void AddFile(const std::string& path) {
    for (auto& p : cleanup.files)
      if (!p[0]) {
        std::snprintf(p, sizeof p, "%s", path.c_str());
        return;
      }
  }
  void AddFolder(const std::string& path) {
    for (auto& p : cleanup.folders)
      if (!p[0]) {
        std::snprintf(p, sizeof p, "%s", path.c_str());
        return;
      }
  }

  std::string base;
};

}  // namespace bench
