// Searching the text: flags, whole words, wrapping and the direction.
#include "view/LineSearch.h"
#include "view/ViewFixture.h"

TEST_F(ViewTest, FindInStringHonoursWholeWords) {
  EXPECT_EQ(CCrystalTextView::FindInString(u"xab ab", u"ab", true), 4);
  EXPECT_EQ(CCrystalTextView::FindInString(u"aaa", u"aa", true), -1);
  EXPECT_EQ(CCrystalTextView::FindInString(u"ab_c ab", u"ab", true), 5);
  EXPECT_EQ(CCrystalTextView::FindInString(u"xab ab", u"ab", false), 1);
  EXPECT_EQ(CCrystalTextView::FindInString(u"\u00e9ab ab", u"ab", true), 4);  // é is a letter
}

TEST_F(ViewTest, SearchDownFromTheStartColumnAndWraps) {
  SetText("int a; Int b;\nnothing\nint c;");
  CPoint found;
  ASSERT_TRUE(view->SearchText(u"int", CPoint(1, 0), 0, false, found));
  EXPECT_EQ(found, CPoint(7, 0));  // never one that starts before the start column
  ASSERT_TRUE(view->SearchText(u"int", CPoint(1, 0), SearchMatchCase, false, found));
  EXPECT_EQ(found, CPoint(0, 2));
  ASSERT_TRUE(view->SearchText(u"INT", CPoint(0, 0), 0, false, found));
  EXPECT_EQ(found, CPoint(0, 0));
  EXPECT_FALSE(view->SearchText(u"INT", CPoint(0, 0), SearchMatchCase, true, found));
  EXPECT_FALSE(view->SearchText(u"a;", CPoint(6, 0), 0, false, found));
  ASSERT_TRUE(view->SearchText(u"a;", CPoint(6, 0), 0, true, found));
  EXPECT_EQ(found, CPoint(4, 0));
  ASSERT_TRUE(view->SearchText(u"nothing", CPoint(13, 0), 0, false, found));  // from a line end
  EXPECT_EQ(found, CPoint(0, 1));
  ASSERT_TRUE(view->SearchText(u"", CPoint(2, 1), 0, false, found));
  EXPECT_EQ(found, CPoint(2, 1));
}

TEST_F(ViewTest, WholeWordsAreJudgedInTheWholeLine) {
  SetText("afoo foo");
  CPoint found;
  // Starting inside "afoo", its tail is no word of its own.
  ASSERT_TRUE(view->SearchText(u"foo", CPoint(1, 0), SearchWholeWord, false, found));
  EXPECT_EQ(found, CPoint(5, 0));
  ASSERT_TRUE(view->SearchText(u"FOO", CPoint(1, 0), SearchWholeWord, false, found));
  EXPECT_EQ(found, CPoint(5, 0));
}

TEST_F(ViewTest, SearchUpFindsTheNearestOccurrenceBeforeTheStart) {
  SetText("foo foo\nbar\nfoo x foo");
  CPoint found;
  ASSERT_TRUE(view->SearchText(u"foo", CPoint(5, 2), SearchUp, false, found));
  EXPECT_EQ(found, CPoint(0, 2));
  ASSERT_TRUE(view->SearchText(u"foo", CPoint(0, 2), SearchUp, false, found));
  EXPECT_EQ(found, CPoint(4, 0));  // the previous line's last one
  EXPECT_FALSE(view->SearchText(u"foo", CPoint(2, 0), SearchUp, false, found));
  ASSERT_TRUE(view->SearchText(u"foo", CPoint(2, 0), SearchUp, true, found));
  EXPECT_EQ(found, CPoint(6, 2));
  ASSERT_TRUE(view->SearchText(u"FOO", CPoint(0, 1), SearchUp | SearchWholeWord, false, found));
  EXPECT_EQ(found, CPoint(4, 0));
}

TEST(LineSearch, TheQuickLookNeverPassesOverALineThatHoldsAMatch) {
  // Search texts and lines of a few letters in both cases, with units beyond ASCII that
  // upper-case to ASCII ones (dotless i, long s) or to others; lines long and short, so that
  // both the eight-at-a-time look and the one for short lines are tried.
  const std::u16string letters = u"aAbBiIsS_\u0131\u017f\u00e9\u00c9";
  std::uint32_t seed = 99;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  int passedOver = 0;
  for (DWORD flags : {DWORD{SearchMatchCase}, DWORD{0}, DWORD{SearchWholeWord}}) {
    for (int round = 0; round < 4000; ++round) {
      std::u16string word(1 + next() % 4, u'a'), line(next() % 40, u'a');
      for (auto& c : word) c = letters[next() % letters.size()];
      for (auto& c : line) c = letters[next() % letters.size()];
      CLineSearch search(word, flags);
      search.SetLine(line.data(), static_cast<int>(line.size()));
      const bool found = search.Find(0) >= 0;
      if (!search.MayHold(line.data(), static_cast<int>(line.size()))) {
        ASSERT_FALSE(found) << "flags " << flags << ", word " << plat::Narrow(word) << ", line " << plat::Narrow(line);
        ++passedOver;
      }
    }
  }
  EXPECT_GT(passedOver, 1000);  // the look does pass over lines
}
