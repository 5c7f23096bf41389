// A private device for one test.
#include "common/TempDevice.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/base/Strings.h"
#include "platform/fs/Files.h"
#include "platform/fs/Mounts.h"

TempDevice::TempDevice() {
  char tmpl[] = "/tmp/tovin-test-XXXXXX";
  base = mkdtemp(tmpl);
  chmod(base.c_str(), 0755);  // other users may look in (tests that drop privileges)
  root = base + "/root";
  docs = base + "/docs";
  storage = base + "/storage";
  for (auto* d : {&root, &docs, &storage}) mkdir(d->c_str(), 0755);
  setenv("TOVIN_ROOT", root.c_str(), 1);
  setenv("TOVIN_DOCUMENTS", docs.c_str(), 1);
  setenv("TOVIN_STORAGE", storage.c_str(), 1);
  plat::fs::ReloadMounts();
}

TempDevice::~TempDevice() {
  plat::fs::SetFaultHook(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(base, ec);
}

std::u16string TempDevice::DocDevice(const std::string& name) const {
  std::u16string n = plat::Widen(name);
  for (auto& c : n)
    if (c == u'/') c = u'\\';
  return u"\\My Documents\\" + n;
}

void TempDevice::WriteHostFile(const std::string& hostPath, const std::string& bytes) {
  std::ofstream f(hostPath, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDevice::ReadHostFile(const std::string& hostPath) {
  std::ifstream f(hostPath, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool TempDevice::HostExists(const std::string& hostPath) {
  struct stat st;
  return lstat(hostPath.c_str(), &st) == 0;
}

std::string TempDevice::ListHost(const std::string& hostFolder) {
  std::vector<std::string> names;
  if (DIR* d = opendir(hostFolder.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  std::string out;
  for (auto& n : names) out += (out.empty() ? "" : " ") + n;
  return out;
}
