// Tabs, columns, point conversions, the parse-cookie cache and the longest line.
#include "common/TempDevice.h"
#include "view/ViewFixture.h"

TEST_F(ViewTest, TabsExpandToStopsAndRoundToTheNearerSide) {
  SetText("\t\nab\tc\n\t\tx");
  EXPECT_EQ(view->GetExpandedLength(0), 4);
  EXPECT_EQ(view->ColumnToChar(0, 0), 0);
  EXPECT_EQ(view->ColumnToChar(0, 1), 0);
  EXPECT_EQ(view->ColumnToChar(0, 2), 0);
  EXPECT_EQ(view->ColumnToChar(0, 3), 1);
  EXPECT_EQ(view->ColumnToChar(0, 4), 1);
  EXPECT_EQ(view->ColumnToChar(0, 9), 1);
  EXPECT_EQ(view->CharToColumn(1, 3), 4);  // "ab" then a tab to column 4
  EXPECT_EQ(view->CharToColumn(1, 4), 5);
  EXPECT_EQ(view->GetExpandedLength(2), 9);
  EXPECT_EQ(view->GetMaxLineLength(), 9);
}

TEST_F(ViewTest, PointsAndTextPositionsConvertBothWays) {
  SetText("abc\n\tx\nlast");
  const int h = view->GetLineHeight(), w = view->GetCharWidth();
  EXPECT_EQ(view->TextPosToPoint(CPoint(2, 1)), CPoint(20 + 5 * w, h));  // after the tab: column 5
  EXPECT_EQ(view->PointToTextPos(CPoint(20 + 2 * w, 0)), CPoint(2, 0));
  EXPECT_EQ(view->PointToTextPos(CPoint(20 + 2 * w, 2 * h + 1)), CPoint(2, 2));
  EXPECT_EQ(view->PointToTextPos(CPoint(20 + 2 * w, 50 * h)), CPoint(2, 2));  // below the text: last line
  EXPECT_EQ(view->PointToTextPos(CPoint(20 + 3 * w, h)), CPoint(0, 1));  // inside the tab
  EXPECT_EQ(view->PointToTextPos(CPoint(0, 0)), CPoint(0, 0));  // the margin is column 0
  view->SetSelectionMargin(false);
  EXPECT_EQ(view->TextPosToPoint(CPoint(1, 0)), CPoint(1 + w, 0));
}

TEST_F(ViewTest, AChangedLineKeepsTheCookiesBelowWhenItEndsInTheSameState) {
  SetLines(100);
  EXPECT_EQ(view->GetParseCookie(99), 100u);
  EXPECT_EQ(view->CookiesKnown(), 100);
  int l, c;
  view->parses = 0;
  buffer.InsertText(nullptr, 10, 0, u"x", l, c);
  EXPECT_EQ(view->parses, 1);  // the line itself, again
  EXPECT_EQ(view->CookiesKnown(), 100);
  view->parses = 0;
  EXPECT_EQ(view->GetParseCookie(20), 21u);
  EXPECT_EQ(view->parses, 0);
  buffer.InsertText(nullptr, 5, 0, u"a\rb", l, c);  // a line more: everything from 5 on is unknown
  EXPECT_EQ(view->CookiesKnown(), 5);
  EXPECT_EQ(view->GetParseCookie(100), 101u);
}

TEST_F(ViewTest, ALineEditRepaintsTheLineAloneUnlessItsEndStateChanged) {
  view->hashesToggle = true;
  SetLines(30);
  view->GetParseCookie(29);
  Flush();
  const int h = view->GetLineHeight();
  const int row = 3 - view->GetFirstVisibleLine();
  int l, c;
  buffer.InsertText(nullptr, 3, 0, u"x", l, c);
  CRect r;
  ASSERT_TRUE(view->GetUpdateRect(r));
  EXPECT_EQ(r.top, row * h);
  EXPECT_EQ(r.bottom, (row + 1) * h);
  EXPECT_EQ(view->CookiesKnown(), 30);
  Flush();
  // A '#' changes the state the line ends in: every line below colours anew.
  buffer.InsertText(nullptr, 3, 0, u"#", l, c);
  ASSERT_TRUE(view->GetUpdateRect(r));
  EXPECT_EQ(r.top, row * h);
  EXPECT_EQ(r.bottom, view->GetClientRect().bottom);
  EXPECT_EQ(view->CookiesKnown(), 4);
  EXPECT_EQ(view->GetParseCookie(29), 1u);
}

TEST_F(ViewTest, LongestLineFollowsEveryEdit) {
  SetText("aa\nbbbb\ncc");
  EXPECT_EQ(view->GetMaxLineLength(), 4);
  int l, c;
  buffer.InsertText(nullptr, 2, 2, u"\t\t", l, c);  // "cc" then tabs: column 8
  EXPECT_EQ(view->GetMaxLineLength(), 8);
  buffer.DeleteText(nullptr, 1, 0, 2, 2);  // joins "" + "\t\t": lines "aa", "\t\t"
  EXPECT_EQ(view->GetMaxLineLength(), 8);
  buffer.DeleteText(nullptr, 1, 0, 1, 2);
  EXPECT_EQ(view->GetMaxLineLength(), 2);
  buffer.InsertText(nullptr, 0, 1, u"12345\r123456789\r1", l, c);  // "a12345", "123456789", "1a"
  EXPECT_EQ(view->GetMaxLineLength(), 9);
  CPoint cur;
  buffer.Undo(cur);
  EXPECT_EQ(view->GetMaxLineLength(), 2);
  // Every answer agrees with a fresh count over all lines.
  int expected = 0;
  for (int i = 0; i < buffer.GetLineCount(); ++i) expected = std::max(expected, view->CharToColumn(i, buffer.GetLineLength(i)));
  EXPECT_EQ(view->GetMaxLineLength(), expected);
}

// A loaded text without tabs has its columns from the line lengths alone; a tab typed or
// loaded counts to its stop, also when the lengths are counted afresh.
TEST_F(ViewTest, LongestLineOfALoadedTextWithAndWithoutTabs) {
  TempDevice dev;
  TempDevice::WriteHostFile(dev.DocHost("plain.txt"), "ab\ncdef\ng");
  TempDevice::WriteHostFile(dev.DocHost("tabs.txt"), "ab\n\tcdef\ng");
  ASSERT_TRUE(buffer.LoadFromFile(dev.DocDevice("plain.txt")));
  view->AttachToBuffer(&buffer);
  EXPECT_FALSE(buffer.MayHoldTabs());
  EXPECT_EQ(view->GetMaxLineLength(), 4);
  EXPECT_EQ(view->CharToColumn(1, 3), 3);
  EXPECT_EQ(view->CharToColumn(1, 9), 4);  // past the end: the end
  int l, c;
  buffer.InsertText(nullptr, 0, 0, u"\t", l, c);  // "\tab": columns 0-3 then two
  EXPECT_TRUE(buffer.MayHoldTabs());
  EXPECT_EQ(view->CharToColumn(0, 2), 5);
  EXPECT_EQ(view->GetMaxLineLength(), 6);
  view->AttachToBuffer(&buffer);  // counted afresh
  EXPECT_EQ(view->GetMaxLineLength(), 6);
  ASSERT_TRUE(buffer.LoadFromFile(dev.DocDevice("tabs.txt")));
  view->AttachToBuffer(&buffer);
  EXPECT_TRUE(buffer.MayHoldTabs());
  EXPECT_EQ(view->GetMaxLineLength(), 8);
}

TEST_F(ViewTest, PositionsFollowTheBufferThroughContexts) {
  SetText("one\ntwo\nthree");
  view->MoveCaretTo(CPoint(3, 2));
  int l, c;
  buffer.InsertText(nullptr, 0, 0, u"zero\r", l, c);
  EXPECT_EQ(view->GetCaretPos(), CPoint(3, 3));
  buffer.DeleteText(nullptr, 1, 1, 3, 1);  // "o" + "hree"
  EXPECT_EQ(view->GetCaretPos(), CPoint(3, 1));
}

// With redrawing off, edits leave the scroll bars and the caret alone; turned on again, they
// are exactly what the same edits make with redrawing on. A scroll moves the caret along.
TEST_F(ViewTest, EditsWithRedrawingOffCatchUpWhenItIsTurnedOn) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "line " + std::to_string(i) + "\n";
  auto run = [&](bool redrawOff) {
    SetText(text);
    if (redrawOff) view->SetRedraw(false);
    int l, c;
    for (int i = 0; i < 60; ++i) buffer.InsertText(view.get(), 20, 0, u"a longer line than any other here\r", l, c);
    view->HighlightText(CPoint(3, 90), 2);
    if (redrawOff) {
      SCROLLINFO stale{};
      view->GetScrollInfo(SB_VERT, stale, SIF_ALL);
      EXPECT_EQ(stale.nMax, 40);  // the bar still shows the text before the edits
    }
    if (redrawOff) view->SetRedraw(true);
    Flush();
    SCROLLINFO v{}, h{};
    view->GetScrollInfo(SB_VERT, v, SIF_ALL);
    view->GetScrollInfo(SB_HORZ, h, SIF_ALL);
    return std::vector<int>{v.nMin, v.nMax, static_cast<int>(v.nPage), v.nPos, h.nMin, h.nMax, static_cast<int>(h.nPage),
                            h.nPos, CWnd::GetCaretPos().x, CWnd::GetCaretPos().y};
  };
  const std::vector<int> on = run(false);
  EXPECT_EQ(on[1], 100);  // 101 lines
  // The caret is drawn where line 90 is shown now that the view has scrolled to it.
  EXPECT_EQ(on[9], (90 - on[3]) * view->GetLineHeight());
  EXPECT_EQ(run(true), on);
}
