// Listing a folder for the browser under a filter, and the texts and order of its entries.
#include "browser/FileEntries.h"

#include <array>
#include <unordered_set>
#include <utility>

#include "platform/base/Strings.h"
#include "platform/fs/Files.h"
#include "platform/fs/Listing.h"

namespace {

// The parts of a pattern between its ";", empty parts left out.
std::vector<std::u16string_view> SplitPattern(std::u16string_view pattern) {
  std::vector<std::u16string_view> parts;
  while (!pattern.empty()) {
    const auto semi = pattern.find(u';');
    const auto part = pattern.substr(0, semi);
    if (!part.empty()) parts.push_back(part);
    if (semi == std::u16string_view::npos) break;
    pattern.remove_prefix(semi + 1);
  }
  return parts;
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  const std::u16string ua = plat::ToUpper(a), ub = plat::ToUpper(b);
  return ua < ub ? -1 : ua > ub ? 1 : 0;
}

template <class T>
int CompareValues(T a, T b) {
  return a < b ? -1 : a > b ? 1 : 0;
}

}  // namespace

std::u16string JoinBrowsePath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  path += name;
  return path;
}

std::u16string ParentBrowseFolder(std::u16string_view folder) {
  while (!folder.empty() && folder.back() == u'\\') folder.remove_suffix(1);
  const auto slash = folder.rfind(u'\\');
  if (slash == std::u16string_view::npos || slash == 0) return {};
  return std::u16string(folder.substr(0, slash));
}

std::vector<CFileEntry> ListFolderEntries(std::u16string_view folder, std::u16string_view pattern, std::size_t limit) {
  using plat::fs::FILE_ATTRIBUTE_DIRECTORY;
  const std::u16string where = folder.empty() ? std::u16string(u"\\") : std::u16string(folder);
  std::vector<CFileEntry> entries;
  // A name matched by two parts of the pattern (or a folder matched by a part and taken
  // again as a folder) is listed once.
  std::unordered_set<std::u16string> seen;
  auto take = [&](const plat::fs::FindData& found) {
    if (entries.size() >= limit || !seen.insert(found.name).second) return;
    CFileEntry e;
    e.name = found.name;
    e.path = JoinBrowsePath(folder, found.name);
    e.writeTime = found.writeTime;
    e.isFolder = (found.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.size = e.isFolder ? 0 : found.size;
    e.type = e.isFolder ? u"Folder" : TypeText(found.name);
    entries.push_back(std::move(e));
  };
  std::vector<plat::fs::FindData> found;
  for (std::u16string_view part : SplitPattern(pattern)) {
    if (plat::fs::ListFolder(where, part, found) != 0) continue;
    for (const auto& f : found) take(f);
  }
  if (pattern != u"*.*" && plat::fs::ListFolder(where, u"*.*", found) == 0) {
    // Folders stay reachable whatever the filter.
    for (const auto& f : found)
      if (f.attributes & FILE_ATTRIBUTE_DIRECTORY) take(f);
  }
  return entries;
}

std::u16string SizeText(std::uint64_t size) {
  // Sizes past the largest signed value cannot occur on any file system; they are shown
  // as that value rather than wrapped negative.
  const long long shown = size > static_cast<std::uint64_t>(INT64_MAX) ? INT64_MAX : static_cast<long long>(size);
  return plat::FromIntGrouped(shown, u',');
}

std::u16string TypeText(std::u16string_view name) {
  const auto dot = name.rfind(u'.');
  const std::u16string ext = plat::ToUpper(dot == std::u16string_view::npos ? name : name.substr(dot + 1));
  static const std::array<std::pair<std::u16string_view, std::u16string_view>, 7> kKnown = {{
      {u"CPP", u"C++ Source File"},
      {u"CSP", u"Tovin Project File"},
      {u"DLL", u"Application Extension"},
      {u"DSP", u"Visual C++ Project File"},
      {u"EXE", u"Application"},
      {u"H", u"C++ Header File"},
      {u"HTM", u"HTML File"},
  }};
  for (const auto& [key, text] : kKnown)
    if (ext == key) return std::u16string(text);
  return ext + u" File";
}

std::u16string FilterText(const CFileFilter& filter) {
  // A long pattern is cut to its first part.
  std::u16string shown = filter.pattern;
  if (shown.size() >= 11) shown = shown.substr(0, shown.find(u';')) + u", etc.";
  return filter.name + u" (" + shown + u")";
}

int CompareEntries(const CFileEntry& a, const CFileEntry& b, int column) {
  if (a.isFolder != b.isFolder) return a.isFolder ? -1 : 1;
  switch (column) {
    case BrowseColumnSize: return CompareValues(a.size, b.size);
    case BrowseColumnDate: return CompareValues(a.writeTime, b.writeTime);
    case BrowseColumnType: return CompareNoCase(a.type, b.type);
    default: return CompareNoCase(a.name, b.name);
  }
}
