// The Visual Basic 6 and eMbedded Visual Basic project files (.vbp, .ebp): "Form=",
// "Module=" and "Class=" lines, each kind in its own group.
#include "project/ImportText.h"
#include "project/ProjectManager.h"

using import_text::Contains;

namespace {
constexpr char16_t kForms[] = u"Forms";
constexpr char16_t kModules[] = u"Modules";
constexpr char16_t kClassModules[] = u"Class Modules";
}  // namespace

bool ProjectManager::ImportVb() {
  // The groups show even when empty; eMbedded Visual Basic has no class modules.
  EnterGroup(kForms);
  EnterGroup(kModules);
  if (type == kTypeVbp) EnterGroup(kClassModules);
  return ReadLines(&ProjectManager::ParseVbLine, true);
}

void ProjectManager::ParseVbLine(std::u16string& line) {
  std::u16string_view itemPath;
  const char16_t* group = nullptr;
  const auto afterSeparator = [&line](std::u16string_view& out) {
    // "Module=Name; File.bas": the file starts after the semicolon and its blank. A line
    // without one names no file.
    const std::size_t semicolon = line.find(u';');
    if (semicolon == std::u16string::npos || semicolon + 2 > line.size()) return false;
    out = std::u16string_view(line).substr(semicolon + 2);
    return true;
  };
  if (Contains(line, u"Module=")) {
    if (import_text::NamesImage(line) || !afterSeparator(itemPath)) return;
    group = kModules;
  } else if (line.starts_with(u"Form=")) {
    if (import_text::NamesImage(line)) return;
    itemPath = std::u16string_view(line).substr(5);
    group = kForms;
  } else if (Contains(line, u"Class=")) {
    if (import_text::NamesImage(line) || !afterSeparator(itemPath)) return;
    group = kClassModules;
  } else {
    return;
  }
  AddItem(itemPath, group);
}
