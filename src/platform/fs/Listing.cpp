// Folder listing with wildcard patterns.
#include "platform/fs/Listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/base/CharClass.h"
#include "platform/base/Errors.h"
#include "platform/base/Strings.h"
#include "platform/fs/Files.h"
#include "platform/fs/Mounts.h"

namespace plat::fs {
namespace {

bool Match(const char16_t* p, const char16_t* pe, const char16_t* n, const char16_t* ne) {
  // Iterative glob with one backtrack point: linear in practice, no recursion blow-up.
  const char16_t* star = nullptr;
  const char16_t* resume = nullptr;
  while (n < ne) {
    if (p < pe && *p == u'*') {
      star = p++;
      resume = n;
    } else if (p < pe && (*p == u'?' || ToUpperChar(*p) == ToUpperChar(*n))) {
      ++p;
      ++n;
    } else if (star) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pe && *p == u'*') ++p;
  return p == pe;
}

}  // namespace

bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
  if (pattern == u"*.*" || pattern == u"*") return true;
  // "x.*" also takes "x" itself: a name without a dot has an empty extension.
  if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == u".*" && name.find(u'.') == std::u16string_view::npos) {
    const auto stem = pattern.substr(0, pattern.size() - 2);
    if (Match(stem.data(), stem.data() + stem.size(), name.data(), name.data() + name.size())) return true;
  }
  return Match(pattern.data(), pattern.data() + pattern.size(), name.data(), name.data() + name.size());
}

std::uint32_t ListFolder(std::u16string_view folder, std::u16string_view pattern, std::vector<FindData>& out) {
  out.clear();
  const std::u16string dev = NormalizeDevicePath(folder);
  std::string host;
  if (!ToHost(dev, host)) return GetLastError();
  if (auto e = InjectedFault(FsOp::List, host)) {
    SetLastError(e);
    return e;
  }
  if (dev == u"\\") {
    for (const auto& m : Mounts()) {
      if (m.device == u"\\") continue;
      FindData fd;
      fd.name = m.device.substr(1);
      fd.attributes = FILE_ATTRIBUTE_DIRECTORY;
      struct stat st;
      if (stat(m.host.c_str(), &st) == 0) fd.writeTime = st.st_mtime;
      if (WildcardMatch(pattern, fd.name)) out.push_back(fd);
    }
  }
  DIR* d = opendir(host.c_str());
  if (!d) {
    if (dev == u"\\") return ERROR_SUCCESS;  // the private root may not exist yet
    const std::uint32_t e = errno == ENOENT ? ERROR_PATH_NOT_FOUND : ErrorFromErrno(errno);
    SetLastError(e);
    return e;
  }
  while (dirent* ent = readdir(d)) {
    const std::string n = ent->d_name;
    if (n == "." || n == "..") continue;
    FindData fd;
    fd.name = Widen(n);
    if (!WildcardMatch(pattern, fd.name)) continue;
    struct stat st;
    const std::string full = host == "/" ? "/" + n : host + "/" + n;
    if (stat(full.c_str(), &st) != 0 && lstat(full.c_str(), &st) != 0) continue;
    DWORD a = 0;
    if (S_ISDIR(st.st_mode)) a |= FILE_ATTRIBUTE_DIRECTORY;
    if (faccessat(AT_FDCWD, full.c_str(), W_OK, AT_EACCESS) != 0) a |= FILE_ATTRIBUTE_READONLY;
    if (n[0] == '.') a |= FILE_ATTRIBUTE_HIDDEN;
    fd.attributes = a ? a : FILE_ATTRIBUTE_NORMAL;
    fd.size = S_ISDIR(st.st_mode) ? 0 : static_cast<std::uint64_t>(st.st_size);
    fd.writeTime = st.st_mtime;
    out.push_back(std::move(fd));
  }
  closedir(d);
  return ERROR_SUCCESS;
}

}  // namespace plat::fs
