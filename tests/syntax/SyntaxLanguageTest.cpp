// The syntax language and its dispatch, the keyword tables, the keyword and number tests.
#include <initializer_list>
#include <random>

#include "SyntaxTestSupport.h"
#include "syntax/Keywords.h"

namespace {
bool Keyword(std::u16string_view w) {
  return IsKeyword(w.data(), static_cast<int>(w.size()));
}
bool Number(std::u16string_view w) {
  return IsNumber(w.data(), static_cast<int>(w.size()));
}
long Count(std::span<const std::u16string_view> table, std::u16string_view w) {
  return std::count(table.begin(), table.end(), w);
}
}  // namespace

TEST(KeywordTables, KeepTheirOrderAndDuplicates) {
  EXPECT_EQ(GetSyntaxLanguage(), LanguageC);  // the value at start; every test puts it back
  ASSERT_EQ(CKeywordTable().size(), 125u);
  EXPECT_EQ(CKeywordTable()[1], u"enum");
  EXPECT_EQ(CKeywordTable().back(), u"throws");
  EXPECT_EQ(Count(CKeywordTable(), u"transient") + Count(CKeywordTable(), u"event"), 4);
  ASSERT_EQ(BasicKeywordTable().size(), 152u);
  EXPECT_EQ(BasicKeywordTable().back(), u"Year");
  EXPECT_EQ(Count(BasicKeywordTable(), u"Select Case"), 1);
  EXPECT_EQ(Count(BasicKeywordTable(), u"Seek") + Count(BasicKeywordTable(), u"Friend"), 4);
  ASSERT_EQ(PhpKeywordTable().size(), 23u);
  EXPECT_EQ(PhpKeywordTable().back(), u"while");
}

TEST(KeywordTests, CWordsMatchExactlyBasicWordsInAnyCaseCorrected) {
  {
    CLanguageScope c(LanguageC);
    EXPECT_TRUE(Keyword(u"synchronized") && Keyword(u"__int64"));
    EXPECT_FALSE(Keyword(u"Int") || Keyword(u"in") || Keyword(u"ints"));
  }
  std::u16string word = u"lcase$x";
  EXPECT_FALSE(IsBasicKeyword(word.data(), 7));
  EXPECT_EQ(word, u"lcase$x");  // no match, no change
  EXPECT_TRUE(IsBasicKeyword(word.data(), 6));
  EXPECT_EQ(word, u"LCase$x");  // the table's spelling, over the given length only
  // A non-ASCII letter whose lower case is ASCII (the Kelvin sign) is no keyword letter.
  word = u"\u212Aill";
  EXPECT_FALSE(IsBasicKeyword(word.data(), 4));
  EXPECT_EQ(word, u"\u212Aill");
}

TEST(KeywordTests, NumbersAreLowerCaseHexOrStartWithADigit) {
  for (const char16_t* yes : {u"0x1F", u"0xabcDEF09", u"1e5", u"7", u"1.5E+3"}) EXPECT_TRUE(Number(yes));
  for (const char16_t* no : {u"0X1F", u"0x", u"0x1G", u"12ab", u"x1", u"_1", u""}) EXPECT_FALSE(Number(no));
}

TEST(LineColouring, DispatchesByLanguageWithItsKeywords) {
  const std::u16string_view line = u"<% dim echo int %>";
  const std::pair<int, const char*> cases[] = {{LanguageMarkup, "[11:<% ][6:Dim][11: echo ][6:Int][11: %>]"},
                                               {LanguagePhp, "[11:<% dim ][6:echo][11: int %>]"},
                                               {LanguageBasic, "[2:<% ][6:Dim][2: echo ][6:Int][2: %>]"},
                                               {LanguageC, "[2:<% dim echo ][6:int][2: %>]"},
                                               {LanguageText, "[2:<% dim echo int %>]"},
                                               {7, "[2:<% dim echo int %>]"}};
  for (const auto& [language, spans] : cases) {
    CLanguageScope scope(language);
    EXPECT_EQ(ColorLine(line), spans) << "language " << language;
  }
}

// Random lines of characters that mean something to some parser keep every run rule
// (ColorLine checks them), and in C-family files the state computed without runs equals the
// state with runs, line after line.
TEST(LineColouring, AnyLineKeepsTheRunRulesAndCFamilyStateNeedsNoRuns) {
  const std::u16string alphabet = u"abRem0x1\"'/*#\\<>%?!-&;= _\u00e9";
  std::mt19937 random(20240607);
  for (int language : {0, 1, 2, 3, 4}) {
    CLanguageScope scope(language);
    ParseCookie drawn = 0, alone = 0;
    for (int n = 0; n < 3000; ++n) {
      std::u16string line;
      for (int k = n % 7 ? random() % 24 + 1 : 0; k > 0; --k) line += alphabet[random() % alphabet.size()];
      alone = CookieOnly(line, language == 2 || language == 4 ? drawn : alone);
      ColorLine(line, drawn, &drawn);
      if (language != 2 && language != 4) {
        ASSERT_EQ(alone, drawn) << "language " << language << ", line " << n;
      }
    }
  }
}
