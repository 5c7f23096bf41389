// Listing a folder for the browser under a filter, and the texts and order of its entries:
// types, sizes, the user's short date and time, the type box's lines.
#include "browser/FileEntries.h"

#include <langinfo.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <unordered_set>
#include <utility>

#include "platform/base/CharClass.h"
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

// Unit by unit in upper case: sorting a big folder compares often, and copies nothing.
int CompareNoCase(std::u16string_view a, std::u16string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t ca = plat::ToUpperChar(a[i]), cb = plat::ToUpperChar(b[i]);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
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

// --- the date column: the short date and the time without seconds ----------------------

namespace {

// The time pattern with the locale's shorthands spelt out, so that seconds can be found.
std::string Expand(std::string_view pattern, std::string_view ampm) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 >= pattern.size()) {
      out += pattern[i];
      continue;
    }
    const char d = pattern[++i];
    if (d == 'T') out += "%H:%M:%S";
    else if (d == 'r') out += ampm.find("%r") == std::string_view::npos ? std::string(ampm) : "%I:%M:%S %p";
    else if (d == 'X') out += "%H:%M:%S";  // a time pattern naming the time pattern: the plain one
    else (out += '%') += d;
  }
  return out;
}

}  // namespace

std::string CShortDateTime::WithoutSeconds(std::string_view timePattern, std::string_view ampm) {
  const std::string expanded = Expand(timePattern, ampm);
  std::string out;
  for (std::size_t i = 0; i < expanded.size(); ++i) {
    if (expanded[i] != '%' || i + 1 >= expanded.size()) {
      out += expanded[i];
      continue;
    }
    // %S, or its alternative-digit forms %OS and %ES.
    std::size_t len = 2;
    if ((expanded[i + 1] == 'O' || expanded[i + 1] == 'E') && i + 2 < expanded.size()) len = 3;
    if (expanded[i + len - 1] != 'S') {
      out.append(expanded, i, len);
      i += len - 1;
      continue;
    }
    // The seconds go with the separator before them (":" in "%M:%S"); at the start of the
    // pattern, with the one after them.
    const bool literalBefore = !out.empty() && out.back() != '%' && (out.size() < 2 || out[out.size() - 2] != '%');
    if (literalBefore && !std::isalnum(static_cast<unsigned char>(out.back()))) out.pop_back();
    else if (out.empty() && i + len < expanded.size() && expanded[i + len] != '%') ++i;
    i += len - 1;
  }
  // A blank left at either end by the cut goes too.
  while (!out.empty() && out.back() == ' ') out.pop_back();
  while (!out.empty() && out.front() == ' ') out.erase(out.begin());
  return out;
}

CShortDateTime::CShortDateTime(const char* localeName) {
  locale = newlocale(LC_TIME_MASK, localeName ? localeName : "", static_cast<locale_t>(0));
  if (!locale) locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
  const char* date = locale ? nl_langinfo_l(D_FMT, locale) : "%m/%d/%y";
  const char* time = locale ? nl_langinfo_l(T_FMT, locale) : "%H:%M:%S";
  const char* ampm = locale ? nl_langinfo_l(T_FMT_AMPM, locale) : "%I:%M:%S %p";
  pattern = std::string(date && *date ? date : "%m/%d/%y") + " " +
            WithoutSeconds(time && *time ? time : "%H:%M:%S", ampm && *ampm ? ampm : "%I:%M:%S %p");
}

CShortDateTime::~CShortDateTime() {
  if (locale) freelocale(locale);
}

std::u16string CShortDateTime::Format(std::int64_t secondsSince1970) const {
  const time_t t = static_cast<time_t>(secondsSince1970);
  if (static_cast<std::int64_t>(t) != secondsSince1970) return {};
  struct tm local {};
  if (!localtime_r(&t, &local)) return {};
  char buffer[256];
  const std::size_t n = locale ? strftime_l(buffer, sizeof buffer, pattern.c_str(), &local, locale)
                               : strftime(buffer, sizeof buffer, pattern.c_str(), &local);
  return plat::Widen(std::string_view(buffer, n));
}
