// Searching the text: flags, whole words, wrapping and the direction.
#include <algorithm>

#include "common/Lines.h"
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

TEST_F(ViewTest, SearchFindsEachMatchInALongTextWhereverItLies) {
  // Matches next to each other and far apart, so that lines are passed over in batches of
  // every size, down and up, in both cases, and around the end.
  const std::vector<int> at = {0, 31, 32, 33, 95, 96, 97, 2000, 4095, 4096, 4999};
  std::string text;
  for (int i = 0; i < 5000; ++i)
    text += (i ? "\n" : "") + std::string("line ") + std::to_string(i) +
            (std::count(at.begin(), at.end(), i) ? " the Needle" : "");
  SetText(text);
  for (DWORD flags : {DWORD{SearchMatchCase}, DWORD{0}}) {
    CPoint found, from(0, 1);
    for (std::size_t k = 1; k <= at.size(); ++k) {
      ASSERT_TRUE(view->SearchText(flags ? u"Needle" : u"NEEDLE", from, flags, true, found));
      EXPECT_EQ(found.y, at[k % at.size()]) << "down, flags " << flags;
      from = CPoint(found.x + 1, found.y);
    }
    if (flags) {  // the case differs everywhere
      EXPECT_FALSE(view->SearchText(u"needle", CPoint(0, 4999), flags | SearchUp, true, found));
      continue;
    }
    from = CPoint(0, 4999);
    for (std::size_t k = at.size() - 1; k-- > 0;) {
      ASSERT_TRUE(view->SearchText(u"needle", from, SearchUp, false, found));
      EXPECT_EQ(found.y, at[k]) << "up";
      from = found;
    }
  }
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
  TestRandom next{99};
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

TEST(LineSearch, ManyLinesAtOnceStopAtTheFirstLineThatMayHoldAMatch) {
  // Lines as loaded text lies, one unit apart, that unit a letter too, so that the look finds
  // places across two lines that it must pass; some lines elsewhere, some empty, some short.
  const std::u16string letters = u"aAbBiIsS_\u0131\u017f\u00e9";
  TestRandom next{4321};
  int stopsPastTheFirst = 0;
  for (DWORD flags : {DWORD{SearchMatchCase}, DWORD{0}}) {
    for (int round = 0; round < 3000; ++round) {
      std::u16string word(1 + next() % 4, u'a');
      for (auto& c : word) c = letters[next() % letters.size()];
      std::vector<std::u16string> lines(1 + next() % 40);
      for (auto& line : lines) {
        line.assign(next() % 3 ? next() % 6 : next() % 30, u'x');
        for (auto& c : line)
          if (next() % 4 == 0) c = letters[next() % letters.size()];
      }
      const LaidOutLines laid(lines, letters, next);
      const CLineSearch search(word, flags);
      int first = 0;
      while (first < laid.Count() && !search.MayHold(laid.texts[first], laid.lengths[first])) ++first;
      ASSERT_EQ(search.FirstThatMayHold(laid.texts.data(), laid.lengths.data(), laid.Count()), first)
          << "flags " << flags << ", word " << plat::Narrow(word) << ", round " << round;
      stopsPastTheFirst += first > 0;
    }
  }
  EXPECT_GT(stopsPastTheFirst, 1000);  // lines are passed over, not only the first looked at
}
