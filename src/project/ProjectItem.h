// CProjectItem: one file of a project, as a property table: "Pathname" (the path as the
// user or the foreign project gave it), "Filename" (the name shown) and "Groupname" (the
// group it is shown under, empty for none). Other keys are kept and written back.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/archive/Object.h"
#include "platform/archive/PropertyTable.h"

class CProjectItem : public CObject {
  DECLARE_SERIAL(CProjectItem)

 public:
  static constexpr char16_t kPathname[] = u"Pathname";
  static constexpr char16_t kFilename[] = u"Filename";
  static constexpr char16_t kGroupname[] = u"Groupname";

  CProjectItem();
  ~CProjectItem() override;

  // Each copies the value out and returns true when the key is there; otherwise leaves
  // the output untouched and returns false.
  bool GetPathname(std::u16string& path) const { return properties->Lookup(kPathname, path); }
  bool GetFilename(std::u16string& name) const { return properties->Lookup(kFilename, name); }
  bool GetGroupname(std::u16string& group) const { return properties->Lookup(kGroupname, group); }
  void SetPathname(std::u16string_view path) { properties->SetAt(kPathname, std::u16string(path)); }
  void SetFilename(std::u16string_view name) { properties->SetAt(kFilename, std::u16string(name)); }
  void SetGroupname(std::u16string_view group) { properties->SetAt(kGroupname, std::u16string(group)); }

  // The value under a key, or null; for readers that only look.
  const std::u16string* Find(std::u16string_view key) const { return properties->Find(key); }
  CMapStringToString& GetProperties() { return *properties; }
  const CMapStringToString& GetProperties() const { return *properties; }

  // The table alone; loading replaces the table by the one read.
  void Serialize(CArchive& ar) override;

 private:
  std::unique_ptr<CMapStringToString> properties;
};
