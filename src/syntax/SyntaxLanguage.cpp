// The process-wide syntax language and the dispatch of a line to the parser of that language.
#include "syntax/SyntaxLanguage.h"

#include "syntax/CFamilyParser.h"
#include "syntax/MarkupParser.h"

namespace {
// Everything runs on the user-interface thread, so a plain value is enough.
int currentLanguage = LanguageC;
}  // namespace

void SetSyntaxLanguage(int language) {
  currentLanguage = language;
}

int GetSyntaxLanguage() {
  return currentLanguage;
}

ParseCookie ColorizeLineForLanguage(ParseCookie cookie, char16_t* text, int length, ColorRun* runs, int& runCount) {
  switch (currentLanguage) {
    case LanguageMarkup:
      return ColorizeMarkupLine(cookie, text, length, runs, runCount, false);
    case LanguagePhp:
      return ColorizeMarkupLine(cookie, text, length, runs, runCount, true);
    default:
      return ColorizeCLine(cookie, text, length, runs, runCount);
  }
}

void ColorizeLinesForLanguage(ParseCookie cookie, const char16_t* const* texts, const int* lengths, int n, ParseCookie* out) {
  if (currentLanguage != LanguageMarkup && currentLanguage != LanguagePhp) {
    ColorizeCLines(cookie, texts, lengths, n, out);
    return;
  }
  int dummy = 0;
  for (int i = 0; i < n; ++i)
    cookie = out[i] = ColorizeLineForLanguage(cookie, const_cast<char16_t*>(texts[i]), lengths[i], nullptr, dummy);
}
