// Text helpers and character classes.
#include <gtest/gtest.h>

#include "platform/base/CharClass.h"
#include "platform/base/Strings.h"

using namespace plat;

TEST(CharClass, WordCharactersAreUnicodeAware) {
  EXPECT_TRUE(IsAlpha(u'a'));
  EXPECT_TRUE(IsAlpha(u'\u00E9'));  // é
  EXPECT_TRUE(IsAlpha(u'\u0436'));  // ж
  EXPECT_FALSE(IsAlpha(u'_'));
  EXPECT_FALSE(IsAlpha(u'1'));
  EXPECT_TRUE(IsDigit(u'7'));
  EXPECT_TRUE(IsDigit(u'\u0663'));  // Arabic-Indic three
  EXPECT_FALSE(IsDigit(u'x'));
  EXPECT_TRUE(IsSpace(u' '));
  EXPECT_TRUE(IsSpace(u'\t'));
  EXPECT_TRUE(IsSpace(u'\u3000'));  // ideographic space
  EXPECT_FALSE(IsSpace(u'\u00A0') && IsAlpha(u'\u00A0'));
  EXPECT_FALSE(IsAlpha(u'\xDC80'));  // a carried byte is no letter
}

TEST(Strings, CaseMappingCoversMoreThanAscii) {
  EXPECT_EQ(ToUpper(u"int \u00e9t\u00e9 \u0436"), u"INT \u00c9T\u00c9 \u0416");
  EXPECT_EQ(ToLower(u"ABC\u00c9"), u"abc\u00e9");
  EXPECT_TRUE(EqualsNoCase(u"Hello.CPP", u"hello.cpp"));
  EXPECT_FALSE(EqualsNoCase(u"a.cpp", u"a.cp"));
}

TEST(Strings, TrimFindReplace) {
  EXPECT_EQ(Trim(u"  \tx y \r\n"), u"x y");
  EXPECT_EQ(TrimLeft(u"  x "), u"x ");
  EXPECT_EQ(TrimRight(u"  x "), u"  x");
  EXPECT_EQ(Find(u"abcabc", u"ca"), 2);
  EXPECT_EQ(Find(u"abcabc", u"ab", 1), 3);
  EXPECT_EQ(Find(u"abc", u"x"), -1);
  EXPECT_EQ(Find(u"abc", u"a", 9), -1);
  std::u16string s = u"aaa";
  EXPECT_EQ(ReplaceAllIn(s, u"a", u"aa"), 3);  // ends although the replacement holds the text
  EXPECT_EQ(s, u"aaaaaa");
}

TEST(Strings, NumbersToAndFromText) {
  EXPECT_EQ(FromInt(-42), u"-42");
  EXPECT_EQ(FromIntGrouped(1234567), u"1,234,567");
  EXPECT_EQ(FromIntGrouped(999), u"999");
  EXPECT_EQ(FromIntGrouped(-1000, u'.'), u"-1.000");
  int v = 0;
  EXPECT_TRUE(ToInt(u"-2147483648", v));
  EXPECT_EQ(v, -2147483647 - 1);
  EXPECT_FALSE(ToInt(u"2147483648", v));
  EXPECT_FALSE(ToInt(u"12a", v));
  EXPECT_FALSE(ToInt(u"", v));
  EXPECT_FALSE(ToInt(u"-", v));
}

TEST(Strings, Utf8ConversionCarriesInvalidBytes) {
  const std::string bytes = "ok \xC3\xA9 \xF0\x9F\x98\x80 bad:\xFF\xC0\xAF\xED\xA0\x80";
  const std::u16string w = Widen(bytes);
  EXPECT_EQ(w.substr(0, 5), u"ok \u00e9 ");
  EXPECT_EQ(w[5], 0xD83D);  // the emoji as a surrogate pair
  EXPECT_EQ(Narrow(w), bytes);
}
