// Path helpers.
#include "paths/PathHelpers.h"

#include <unistd.h>

#include <climits>

#include "platform/base/Strings.h"
#include "platform/fs/Files.h"
#include "platform/fs/Mounts.h"

namespace {
constexpr std::size_t kMaxName = 259;
constexpr std::size_t kMaxPart = 254;

void Erase(std::u16string& text, std::u16string_view what) {
  for (auto at = text.find(what); at != std::u16string::npos; at = text.find(what)) text.erase(at, what.size());
}
}  // namespace

void SplitPath(std::u16string_view path, std::u16string* drive, std::u16string* folder, std::u16string* name,
               std::u16string* extension) {
  if (path.empty()) return;
  std::u16string work(path);
  Erase(work, u"..\\");
  Erase(work, u".\\");
  const auto dot = work.rfind(u'.');
  const std::u16string ext = dot == std::u16string::npos ? std::u16string() : work.substr(dot + 1);
  const auto sep = path.find_last_of(u"\\/:");
  std::u16string file(sep == std::u16string_view::npos ? path : path.substr(sep + 1));
  if (file.size() > kMaxName) file.resize(kMaxName);
  const std::u16string dir = work.size() >= file.size() ? work.substr(0, work.size() - file.size()) : std::u16string();
  std::u16string bare = file;
  if (!ext.empty()) bare = file.size() >= ext.size() + 1 ? file.substr(0, file.size() - ext.size() - 1) : std::u16string();
  if (drive) drive->clear();
  if (folder) *folder = dir.substr(0, kMaxPart);
  if (name) *name = bare.substr(0, kMaxPart);
  if (extension) *extension = ext.substr(0, kMaxPart);
}

bool GetExtension(std::u16string& extension, std::u16string_view path) {
  const auto dot = path.rfind(u'.');
  if (dot == std::u16string_view::npos) {
    extension.clear();
    return false;
  }
  extension = path.substr(dot + 1);
  return true;
}

bool ChangeExtension(std::u16string& path, std::u16string_view extension) {
  if (!path.empty() && path.back() == u'.') path.pop_back();
  const auto slash = path.rfind(u'\\');
  const std::u16string_view file = slash == std::u16string::npos ? std::u16string_view(path) : std::u16string_view(path).substr(slash + 1);
  if (file.find(u'.') != std::u16string_view::npos) path.erase(path.rfind(u'.'));
  path += u".";
  path += extension;
  return true;
}

bool GetFileFolder(std::u16string& folder, std::u16string_view path) {
  // The file system names the folder of a path without the file having to exist: no file
  // is created to find it out.
  const std::u16string full = plat::fs::NormalizeDevicePath(path);
  const DWORD attributes = plat::fs::GetFileAttributes(full);
  const auto slash = full.rfind(u'\\');
  const std::u16string parent = full.substr(0, slash + 1);
  const bool isFolder = attributes != plat::fs::INVALID_FILE_ATTRIBUTES && (attributes & plat::fs::FILE_ATTRIBUTE_DIRECTORY);
  const DWORD parentAttributes = plat::fs::GetFileAttributes(parent.size() > 1 ? parent.substr(0, parent.size() - 1) : parent);
  const bool parentIsFolder =
      parentAttributes != plat::fs::INVALID_FILE_ATTRIBUTES && (parentAttributes & plat::fs::FILE_ATTRIBUTE_DIRECTORY);
  if (isFolder || !parentIsFolder || full == u"\\") {
    folder = path;
    return false;
  }
  folder = parent;
  return !folder.empty();
}

bool GetBareFileName(std::u16string& name, std::u16string_view path) {
  std::u16string folder;
  GetFileFolder(folder, path);
  name = path;
  if (!folder.empty()) ReplaceAll(name, folder, u"");
  return true;
}

bool GetProgramFolder(std::u16string& folder) {
  char buf[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return false;
  const std::u16string device = plat::fs::ToDevice(std::string(buf, static_cast<std::size_t>(n)));
  if (device.empty()) return false;
  return GetFileFolder(folder, device);
}

int ReplaceAll(std::u16string& text, std::u16string_view search, std::u16string_view replacement) {
  if (search.empty()) return 0;
  // A replacement that holds the search text would be found again for ever: then every
  // occurrence present at the call is replaced once, left to right.
  if (replacement.find(search) != std::u16string_view::npos) return plat::ReplaceAllIn(text, search, replacement);
  // Otherwise each round takes the first occurrence from the start, so text a replacement
  // forms with its neighbours is found again. Everything before the last replacement held
  // no occurrence, so the next one cannot start earlier than search.size() - 1 before it.
  int count = 0;
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = text.find(search, from);
    if (at == std::u16string::npos) break;
    text.replace(at, search.size(), replacement);
    ++count;
    from = at >= search.size() - 1 ? at - (search.size() - 1) : 0;
  }
  return count;
}
