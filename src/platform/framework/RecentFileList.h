// CRecentFileList: the recent files, kept in a settings section and listed in the File menu.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/Types.h"

class CCmdUI;

class CRecentFileList {
 public:
  // Entries are stored in section as entryFormat with %d the 1-based number ("File%d");
  // the menu numbers them from start + 1 and shows names of at most maxDisplayLength
  // characters.
  CRecentFileList(UINT start, std::u16string_view section, std::u16string_view entryFormat, int size,
                  int maxDisplayLength = 30);
  virtual ~CRecentFileList() = default;

  int GetSize() const { return static_cast<int>(names.size()); }
  // The n-th path (empty where there is none yet).
  const std::u16string& operator[](int index) const { return names[static_cast<std::size_t>(index)]; }

  // Puts path at the front: an entry for the same file (compared without regard to case)
  // moves there; otherwise the oldest drops out.
  virtual void Add(std::u16string_view path);
  virtual void Remove(int index);
  virtual void ReadList();
  // Replaces the section with the entries that are not empty.
  virtual void WriteList();
  // The name the menu shows for entry index: the path shortened to the display length.
  bool GetDisplayName(std::u16string& name, int index) const;
  // Puts the entries into the menu in place of the placeholder (the item the update is
  // for); with no entries the placeholder stays, greyed.
  virtual void UpdateMenu(CCmdUI* ui);

 private:
  std::u16string EntryName(int index) const;

  UINT start;
  std::u16string section;
  std::u16string entryFormat;
  int maxDisplayLength;
  std::vector<std::u16string> names;
  std::u16string placeholder;  // the menu item's own text, put back when the list empties
};

// A path shortened to at most maxLength characters for a menu: the first folder, "\...",
// and as many of the last folders as fit before the file name; only the file name when
// even "\first\...\name" is too long.
std::u16string AbbreviatePath(std::u16string_view path, int maxLength);
