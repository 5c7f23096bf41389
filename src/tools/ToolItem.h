// ToolItem: one external tool, as a property table: "Description" (the menu item's text),
// "CommandLine" (the program, never expanded), "WorkingDir" and "Arguments" (both with
// macros expanded when the tool runs) and "PromptForArgs" ("1" asks for the arguments
// before each run). Other keys are kept and written back.
#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/archive/Object.h"
#include "platform/archive/PropertyTable.h"

class ToolItem : public CObject {
  DECLARE_SERIAL(ToolItem)

 public:
  static constexpr char16_t kDescription[] = u"Description";
  static constexpr char16_t kCommandLine[] = u"CommandLine";
  static constexpr char16_t kWorkingDir[] = u"WorkingDir";
  static constexpr char16_t kArguments[] = u"Arguments";
  static constexpr char16_t kPromptForArgs[] = u"PromptForArgs";
  static constexpr char16_t kNewDescription[] = u"Untitled";

  // A new tool has only its description, "Untitled".
  ToolItem();
  ~ToolItem() override;

  // Each copies the value out and returns true when the key is there; otherwise leaves
  // the output untouched and returns false.
  bool GetDescription(std::u16string& text) const { return properties->Lookup(kDescription, text); }
  bool GetCommandLine(std::u16string& text) const { return properties->Lookup(kCommandLine, text); }
  bool GetWorkingDir(std::u16string& text) const { return properties->Lookup(kWorkingDir, text); }
  bool GetArguments(std::u16string& text) const { return properties->Lookup(kArguments, text); }
  // True exactly when the stored value is "1".
  bool GetPromptForArgs() const;

  void SetDescription(std::u16string_view text) { properties->SetAt(kDescription, std::u16string(text)); }
  void SetCommandLine(std::u16string_view text) { properties->SetAt(kCommandLine, std::u16string(text)); }
  void SetWorkingDir(std::u16string_view text) { properties->SetAt(kWorkingDir, std::u16string(text)); }
  void SetArguments(std::u16string_view text) { properties->SetAt(kArguments, std::u16string(text)); }
  // Stores "1" or "0".
  void SetPromptForArgs(bool prompt) { properties->SetAt(kPromptForArgs, prompt ? u"1" : u"0"); }

  const CMapStringToString& GetProperties() const { return *properties; }

  // The table alone; loading replaces the table by the one read.
  void Serialize(CArchive& ar) override;

 private:
  std::unique_ptr<CMapStringToString> properties;
};
