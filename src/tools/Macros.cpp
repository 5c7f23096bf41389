// The macros of a tool's arguments and working directory.
#include "tools/Macros.h"

#include "paths/PathHelpers.h"

std::u16string ExpandToolMacros(std::u16string_view text, std::u16string_view filePath) {
  std::u16string name;
  if (!filePath.empty()) GetBareFileName(name, filePath);
  // The base name ends before the last dot: "a.b.cpp" gives "a.b", ".profile" nothing.
  if (const auto dot = name.rfind(u'.'); dot != std::u16string::npos) name.resize(dot);
  std::u16string out(text);
  ReplaceAll(out, u"$FileName", name);
  ReplaceAll(out, u"$FilePath", filePath);
  ReplaceAll(out, u"$WkspDir", u"");
  ReplaceAll(out, u"$WkspName", u"");
  return out;
}
