// Resolving the paths of an imported project's files.
#include "project/window/ProjectPaths.h"

#include <vector>

#include "platform/base/Strings.h"
#include "platform/fs/Files.h"
#include "platform/fs/Listing.h"

std::u16string ResolveProjectPath(std::u16string_view directory, std::u16string_view relative) {
  std::u16string rest(relative);
  int up = 0;
  // Every "..\" anywhere costs the first three characters and one folder.
  while (rest.find(u"..\\") != std::u16string::npos) {
    rest.erase(0, 3);
    ++up;
  }
  // The first cut takes the trailing backslash off, each further one a folder; with no
  // backslash left the directory is the top.
  std::u16string dir(directory);
  for (int i = 0; i <= up && !dir.empty(); ++i) {
    const std::size_t at = dir.find_last_of(u'\\');
    dir.resize(at == std::u16string::npos ? 0 : at);
  }
  const std::size_t start = rest.find_first_not_of(u".\\");
  rest.erase(0, start == std::u16string::npos ? rest.size() : start);
  return dir + u"\\" + rest;
}

std::u16string FindIgnoringCase(std::u16string_view path) {
  const std::u16string original(path);
  if (path.empty() || path[0] != u'\\' || plat::fs::Exists(path)) return original;
  std::u16string found;  // the folder reached so far, without its trailing backslash
  std::size_t from = 1;
  while (from <= path.size()) {
    std::size_t end = path.find(u'\\', from);
    if (end == std::u16string_view::npos) end = path.size();
    const std::u16string_view part = path.substr(from, end - from);
    from = end + 1;
    if (part.empty()) continue;
    const std::u16string exact = found + u"\\" + std::u16string(part);
    if (plat::fs::Exists(exact)) {
      found = exact;
      continue;
    }
    std::vector<plat::fs::FindData> entries;
    if (plat::fs::ListFolder(found.empty() ? u"\\" : found, u"*", entries) != 0) return original;
    const std::u16string* match = nullptr;
    for (const plat::fs::FindData& e : entries) {
      if (!plat::EqualsNoCase(e.name, part)) continue;
      if (match) return original;  // two names differ only in case: neither is sure
      match = &e.name;
    }
    if (!match) return original;
    found += u"\\" + *match;
  }
  return found.empty() ? original : found;
}
