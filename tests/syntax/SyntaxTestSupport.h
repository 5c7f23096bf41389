// Test helpers: colour lines with a language and show the colours a user sees as text.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/base/Strings.h"
#include "syntax/SyntaxLanguage.h"

// Sets the syntax language for one scope and puts the previous one back.
class CLanguageScope {
 public:
  explicit CLanguageScope(int language) : saved(GetSyntaxLanguage()) { SetSyntaxLanguage(language); }
  ~CLanguageScope() { SetSyntaxLanguage(saved); }

 private:
  int saved;
};

// One span per stretch of one colour, "[6:int][2: x;]"; a run reaches to the next run's start.
inline std::string RenderSpans(std::u16string_view line, const ColorRun* runs, int count) {
  std::vector<int> colors(line.size(), ColorIndex::NormalText);
  for (int k = 0; k < count; ++k) {
    const size_t end = k + 1 < count ? std::min<size_t>(runs[k + 1].charPos, line.size()) : line.size();
    for (size_t p = runs[k].charPos; p < end; ++p) colors[p] = runs[k].colorIndex;
  }
  std::string out;
  for (size_t p = 0, q = 0; p < line.size(); p = q) {
    while (q < line.size() && colors[q] == colors[p]) ++q;
    out += "[" + std::to_string(colors[p]) + ":" + plat::Narrow(line.substr(p, q - p)) + "]";
  }
  return out;
}

// Colours one line as the view does, in a buffer of exactly 3 x length runs followed by
// sentinels, and checks the promises of every parser. The line may be rewritten (Basic case).
inline std::string ColorLine(std::u16string& line, ParseCookie in = 0, ParseCookie* out = nullptr) {
  const int length = static_cast<int>(line.size());
  std::vector<ColorRun> runs(3 * length + 4, ColorRun{-7, -7});
  int count = 0;
  const ParseCookie cookie = ColorizeLineForLanguage(in, line.data(), length, runs.data(), count);
  EXPECT_NE(cookie, kCookieUnknown);
  EXPECT_TRUE(count >= 0 && count <= 3 * length) << count;
  EXPECT_EQ(runs[3 * length].charPos, -7) << "a run was written past the buffer";
  count = std::clamp(count, 0, 3 * length);
  for (int k = 0; k < count; ++k) {
    EXPECT_TRUE(runs[k].charPos >= (k ? runs[k - 1].charPos : 0) && runs[k].charPos <= length)
        << "run " << k << " at " << runs[k].charPos << " in \"" << plat::Narrow(line) << "\"";
  }
  if (out) *out = cookie;
  return RenderSpans(line, runs.data(), count);
}

inline std::string ColorLine(std::u16string_view line, ParseCookie in = 0, ParseCookie* out = nullptr) {
  std::u16string copy(line);
  return ColorLine(copy, in, out);
}

// The end state of a line computed without runs, as the view does for lines it does not draw.
inline ParseCookie CookieOnly(std::u16string line, ParseCookie in) {
  int count = 0;
  return ColorizeLineForLanguage(in, line.data(), static_cast<int>(line.size()), nullptr, count);
}

// Colours consecutive lines, carrying the state; each result is "cc|spans", cc the end state.
inline std::vector<std::string> ColorLines(std::vector<std::u16string> lines) {
  std::vector<std::string> out;
  ParseCookie cookie = 0;
  for (std::u16string& line : lines) {
    const std::string spans = ColorLine(line, cookie, &cookie);
    char state[8];
    std::snprintf(state, sizeof state, "%02X|", static_cast<unsigned>(cookie));
    out.push_back(state + spans);
  }
  return out;
}
