// The file outline: the functions of a text found by a keyword scan (Basic) or a
// brace-depth scan (every other language), each as its declaring line.
#pragma once
#include <string>
#include <vector>

class CCrystalTextBuffer;

struct OutlineEntry {
  std::u16string text;  // the declaring line, leading blanks removed
  int line = 0;
};

// Entries in text order for the given syntax language.
std::vector<OutlineEntry> ScanOutline(const CCrystalTextBuffer& buffer, int language);
std::vector<OutlineEntry> ScanBasicOutline(const CCrystalTextBuffer& buffer);
std::vector<OutlineEntry> ScanBraceOutline(const CCrystalTextBuffer& buffer);
