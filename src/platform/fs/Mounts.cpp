// The mount table: "\" is the program's private root, "\My Documents" the user's home and
// "\Storage Card" the rest of the host file system.
#include "platform/fs/Mounts.h"

#include <unistd.h>

#include <cstdlib>
#include <mutex>

#include "platform/base/CharClass.h"
#include "platform/base/Errors.h"
#include "platform/base/Strings.h"

namespace plat::fs {
namespace {

std::vector<Mount>& Table() {
  static std::vector<Mount> table;
  return table;
}
bool loaded = false;

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : std::string();
}

std::vector<std::u16string> SplitDevice(std::u16string_view path) {
  std::vector<std::u16string> parts;
  std::u16string cur;
  for (char16_t c : path) {
    if (c == u'\\' || c == u'/') {
      if (!cur.empty()) parts.push_back(std::move(cur));
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) parts.push_back(std::move(cur));
  std::vector<std::u16string> out;
  for (auto& p : parts) {
    if (p == u".") continue;
    if (p == u"..") {
      if (!out.empty()) out.pop_back();
      continue;
    }
    out.push_back(std::move(p));
  }
  return out;
}

}  // namespace

std::string AbsoluteHostPath(std::string_view hostPath) {
  std::string path(hostPath);
  if (path.empty() || path[0] != '/') {
    char buf[4096];
    std::string cwd = getcwd(buf, sizeof buf) ? buf : "/";
    path = cwd + "/" + path;
  }
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= path.size()) {
    std::size_t j = path.find('/', i);
    if (j == std::string::npos) j = path.size();
    std::string part = path.substr(i, j - i);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    i = j + 1;
  }
  std::string out;
  for (auto& p : parts) out += "/" + p;
  return out.empty() ? "/" : out;
}

void ReloadMounts() {
  std::string home = Env("HOME");
  if (home.empty()) home = "/";
  std::string data = Env("XDG_DATA_HOME");
  if (data.empty()) data = home + "/.local/share";
  std::string root = Env("TOVIN_ROOT");
  if (root.empty()) root = data + "/tovin/root";
  std::string docs = Env("TOVIN_DOCUMENTS");
  if (docs.empty()) docs = home;
  std::string storage = Env("TOVIN_STORAGE");
  if (storage.empty()) storage = "/";
  auto& t = Table();
  t.clear();
  t.push_back({u"\\My Documents", AbsoluteHostPath(docs)});
  t.push_back({u"\\Storage Card", AbsoluteHostPath(storage)});
  t.push_back({u"\\", AbsoluteHostPath(root)});
  loaded = true;
}

const std::vector<Mount>& Mounts() {
  if (!loaded) ReloadMounts();
  return Table();
}

std::u16string NormalizeDevicePath(std::u16string_view path) {
  std::u16string out;
  for (auto& p : SplitDevice(path)) out += u"\\" + p;
  return out.empty() ? std::u16string(u"\\") : out;
}

bool ToHost(std::u16string_view devicePath, std::string& hostPath) {
  const auto parts = SplitDevice(devicePath);
  for (const auto& p : parts)
    for (char16_t c : p)
      if (c == 0) {
        SetLastError(ERROR_INVALID_NAME);
        return false;
      }
  std::size_t skip = 0;
  const Mount* mount = nullptr;
  for (const auto& m : Mounts()) {
    const auto mparts = SplitDevice(m.device);
    if (mparts.size() > parts.size()) continue;
    bool match = true;
    for (std::size_t i = 0; i < mparts.size() && match; ++i) match = EqualsNoCase(mparts[i], parts[i]);
    if (match) {
      mount = &m;
      skip = mparts.size();
      break;  // the table is ordered most specific first
    }
  }
  std::string out = mount->host;
  for (std::size_t i = skip; i < parts.size(); ++i) {
    if (out.empty() || out.back() != '/') out += '/';
    out += Narrow(parts[i]);
  }
  hostPath = out;
  return true;
}

std::u16string ToDevice(std::string_view hostPath) {
  const std::string abs = AbsoluteHostPath(hostPath);
  const Mount* best = nullptr;
  for (const auto& m : Mounts()) {
    const std::string& h = m.host;
    const bool holds = h == "/" || abs == h || (abs.size() > h.size() && abs.compare(0, h.size(), h) == 0 && abs[h.size()] == '/');
    if (holds && (!best || h.size() > best->host.size())) best = &m;
  }
  if (!best) return std::u16string();  // outside every mount (storage narrowed from "/")
  std::string rest = best->host == "/" ? abs : abs.substr(best->host.size());
  std::u16string out = best->device == u"\\" ? std::u16string() : best->device;
  std::u16string wrest = Widen(rest);
  for (auto& c : wrest)
    if (c == u'/') c = u'\\';
  out += wrest;
  if (out.size() > 1 && out.back() == u'\\') out.pop_back();
  return out.empty() ? std::u16string(u"\\") : out;
}

}  // namespace plat::fs
