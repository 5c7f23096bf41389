// The system code page converts losslessly.
#include <gtest/gtest.h>

#include <random>

#include "platform/base/CodePage.h"

using plat::CodePage;

TEST(CodePage, Utf8RoundTripsEveryByteSequence) {
  auto cp = CodePage::Create("UTF-8");
  ASSERT_TRUE(cp);
  EXPECT_TRUE(cp->IsUtf8());
  std::mt19937 rng(7);
  for (int round = 0; round < 400; ++round) {
    // Half the rounds have long ASCII runs between the other bytes, as source text has.
    const unsigned sparse = round % 2 ? 4 : 40;
    std::string bytes(static_cast<std::size_t>(rng() % 300), '\0');
    for (auto& b : bytes) b = static_cast<char>(rng() % sparse == 0 ? rng() : (rng() % 96 + 32));
    const std::u16string w = cp->ToWide(bytes);
    EXPECT_LE(w.size(), bytes.size());
    ASSERT_EQ(cp->ToBytes(w), bytes) << "round " << round;
  }
}

TEST(CodePage, Utf8DecodesValidAndCarriesInvalid) {
  auto cp = CodePage::Create("UTF-8");
  EXPECT_EQ(cp->ToWide("caf\xC3\xA9"), u"caf\u00e9");
  // An overlong slash, an encoded surrogate and a truncated sequence are bytes, not text.
  EXPECT_EQ(cp->ToWide("\xC0\xAF"), std::u16string({0xDCC0, 0xDCAF}));
  EXPECT_EQ(cp->ToWide("\xED\xA0\x80"), std::u16string({0xDCED, 0xDCA0, 0xDC80}));
  EXPECT_EQ(cp->ToWide("\xE2\x82"), std::u16string({0xDCE2, 0xDC82}));
  EXPECT_TRUE(cp->CanEncode(u'\u20AC'));
}

TEST(CodePage, SingleByteSetThroughTable) {
  auto cp = CodePage::Create("CP1252");
  ASSERT_TRUE(cp);
  EXPECT_FALSE(cp->IsUtf8());
  EXPECT_EQ(cp->ToWide("\x80\xE9"), u"\u20AC\u00e9");
  EXPECT_EQ(cp->ToBytes(u"\u20AC\u00e9"), "\x80\xE9");
  // Every byte, those the set leaves undefined included, comes back as itself.
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(cp->ToBytes(cp->ToWide(all)), all);
  EXPECT_TRUE(cp->CanEncode(u'\u00e9'));
  EXPECT_FALSE(cp->CanEncode(u'\u0436'));  // not in the Western set
  EXPECT_EQ(cp->ToBytes(u"\u0436"), "?");
}

TEST(CodePage, UnknownNameIsRefused) {
  EXPECT_EQ(CodePage::Create("NO-SUCH-CHARSET-9"), nullptr);
  EXPECT_FALSE(CodePage::SetSystem("NO-SUCH-CHARSET-9"));
}
