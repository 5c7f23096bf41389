// The outline scans. They read raw line texts and parse no language.
#include "navigation/OutlineScan.h"

#include "buffer/TextBuffer.h"
#include "platform/base/CharClass.h"
#include "platform/base/Strings.h"
#include "syntax/SyntaxLanguage.h"

namespace {

std::u16string_view LineText(const CCrystalTextBuffer& b, int line) {
  const char16_t* t = b.GetLineChars(line);
  return t ? std::u16string_view(t, static_cast<std::size_t>(b.GetLineLength(line))) : std::u16string_view();
}

bool Contains(std::u16string_view text, std::u16string_view what) { return text.find(what) != std::u16string_view::npos; }

bool HasAccessWord(std::u16string_view t) {
  for (const char16_t* w : {u"public ", u"private ", u"protected ", u"internal ", u"static "})
    if (Contains(t, w)) return true;
  return false;
}

// The line that heads a body opened on the line after h; text is empty when none was found.
void FindHeader(const CCrystalTextBuffer& b, int h, int& headerLine, std::u16string& headerText) {
  headerText.clear();
  const std::u16string_view lineH = LineText(b, h);
  if (h >= 0 && !lineH.empty() && Contains(lineH, u"(") && Contains(lineH, u")")) {
    headerLine = h;
    headerText = lineH;
    return;
  }
  bool decided = false;
  int j = h;
  int last = h;
  for (int looked = 0; looked < 15; ++looked, --j) {
    last = j;
    if (j < 0) {
      decided = true;  // the top of the text: no header text
      headerText.clear();
      headerLine = h;
      break;
    }
    const std::u16string_view t = LineText(b, j);
    int found = -1;
    if (t.empty()) {
      found = j + 1;
    } else if (Contains(t, u"::") || HasAccessWord(t)) {
      found = j;
    } else {
      const std::u16string trimmed = plat::TrimLeft(t);
      if (trimmed.empty() || Contains(trimmed, u"}") || Contains(trimmed, u"#")) {
        found = j + 1;
      } else if (Contains(trimmed, u"[") && HasAccessWord(LineText(b, j + 1))) {
        found = j + 1;
      }
    }
    if (found >= 0) {
      decided = true;
      headerLine = found;
      headerText = LineText(b, found);
      break;
    }
  }
  if (!decided) {
    headerLine = last;  // fifteen lines without a decision: an empty header at the last looked at
    headerText.clear();
    return;
  }
  if (headerText.empty()) {
    headerLine = h;
    headerText = LineText(b, h);
  }
  if (headerLine < 0) {
    headerLine = 0;
    headerText = LineText(b, 0);
  }
}

}  // namespace

std::vector<OutlineEntry> ScanBasicOutline(const CCrystalTextBuffer& b) {
  std::vector<OutlineEntry> out;
  for (int i = 0; i < b.GetLineCount(); ++i) {
    const std::u16string_view raw = LineText(b, i);
    if (raw.empty()) continue;
    const std::u16string trimmed = plat::TrimLeft(raw);
    const std::u16string lower = plat::ToLower(trimmed);
    const bool entry = (Contains(lower, u"function") && !Contains(lower, u"end function")) ||
                       (Contains(lower, u"sub") && !Contains(lower, u"end sub")) || Contains(lower, u"begin vb.form") ||
                       Contains(lower, u"private sub") || Contains(lower, u"protected sub") ||
                       Contains(lower, u"public sub") || Contains(lower, u"protected overloads ");
    if (entry) out.push_back({trimmed, i});
  }
  return out;
}

std::vector<OutlineEntry> ScanBraceOutline(const CCrystalTextBuffer& b) {
  std::vector<OutlineEntry> out;
  int depth = 0;
  bool inFunction = false;
  for (int i = 0; i < b.GetLineCount(); ++i) {
    const std::u16string_view t = LineText(b, i);
    if (t.empty()) continue;
    for (char16_t c : t) depth += c == u'{' ? 1 : c == u'}' ? -1 : 0;
    if (depth < 0) {
      depth = 0;
    } else if (!inFunction && depth == 1) {
      int headerLine = 0;
      std::u16string header;
      FindHeader(b, i - 1, headerLine, header);
      if (Contains(header, u"namespace") || Contains(header, u"class ")) {
        depth = 0;  // members of a class or namespace count as top level
      } else {
        out.push_back({plat::TrimLeft(header), headerLine});
        inFunction = true;
      }
    } else if (depth == 0) {
      inFunction = false;
    }
  }
  return out;
}

std::vector<OutlineEntry> ScanOutline(const CCrystalTextBuffer& b, int language) {
  return language == LanguageBasic ? ScanBasicOutline(b) : ScanBraceOutline(b);
}
