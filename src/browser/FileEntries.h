// What the file browser lists and how it shows it: the entries of a folder under a filter,
// their size, date and type texts, the order of the columns, and the filters' own texts.
#pragma once
#include <locale.h>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One listed file or folder.
struct CFileEntry {
  std::u16string name;
  std::u16string path;        // the folder's path, a backslash, the name
  std::int64_t writeTime = 0; // seconds since 1970, UTC
  std::uint64_t size = 0;     // bytes; 0 for a folder
  bool isFolder = false;
  std::u16string type;        // the type text, worked out once for sorting and showing
};

// A choice of the type box: the name shown and one or more patterns separated by ";".
struct CFileFilter {
  std::u16string name;
  std::u16string pattern;
};

// The columns of the listing, in order.
enum : int { BrowseColumnName = 0, BrowseColumnSize = 1, BrowseColumnDate = 2, BrowseColumnType = 3 };

// A folder shows at most this many entries: the listing stays quick and its memory
// bounded whatever a folder holds.
constexpr std::size_t kMaxBrowseEntries = 50000;

// The entries of folder (the empty string is the root) for pattern: every file and folder
// matching one of its parts, and every folder besides unless the pattern is "*.*". Each
// name is listed once, in the file system's order, up to limit entries. A folder that
// cannot be listed gives no entries.
std::vector<CFileEntry> ListFolderEntries(std::u16string_view folder, std::u16string_view pattern,
                                          std::size_t limit = kMaxBrowseEntries);

// The path of name inside folder; the root folder is the empty string.
std::u16string JoinBrowsePath(std::u16string_view folder, std::u16string_view name);
// The folder above: trailing backslashes dropped, then cut at the last backslash; the root
// (empty) when that backslash comes first or there is none.
std::u16string ParentBrowseFolder(std::u16string_view folder);

// 1234567 as "1,234,567".
std::u16string SizeText(std::uint64_t size);
// "C++ Source File" for a.cpp, "TXT File" for x.txt, "README File" for README.
std::u16string TypeText(std::u16string_view name);
// The type box's line for a filter: "All Files (*.*)", "Project Files (*.csproj, etc.)".
std::u16string FilterText(const CFileFilter& filter);

// Orders entries for the column: folders before files, then by the column's key, names
// and types ignoring case. Negative, zero or positive as a sorts before, with or after b.
int CompareEntries(const CFileEntry& a, const CFileEntry& b, int column);

// The user's short date and time without seconds, in the locale of the environment
// (LC_ALL, LC_TIME, LANG), local time.
class CShortDateTime {
 public:
  // localeName "" is the environment's; a locale the system lacks falls back to "C".
  explicit CShortDateTime(const char* localeName = "");
  ~CShortDateTime();
  CShortDateTime(const CShortDateTime&) = delete;
  CShortDateTime& operator=(const CShortDateTime&) = delete;

  // The strftime pattern in use: the short date, a blank, the time without seconds.
  const std::string& Pattern() const { return pattern; }
  // The text for a time; empty when the time cannot be shown.
  std::u16string Format(std::int64_t secondsSince1970) const;

  // A time pattern without its seconds: "%H:%M:%S" gives "%H:%M", "%I:%M:%S %p" gives
  // "%I:%M %p"; %T and %r are spelt out first (ampm is the locale's %r).
  static std::string WithoutSeconds(std::string_view timePattern, std::string_view ampm = "%I:%M:%S %p");

 private:
  locale_t locale = static_cast<locale_t>(0);
  std::string pattern;
};
