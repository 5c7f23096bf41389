// Caret movement commands, selection by keys, EnsureVisible and copy.
#include "platform/ui/Clipboard.h"
#include "resources/CommandIds.h"
#include "view/ViewFixture.h"

TEST_F(ViewTest, LeftAndRightStopAtTheEndsAndCollapseSelections) {
  SetText("abcdef\nxy");
  Key(VK_LEFT);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 0));
  view->MoveCaretTo(CPoint(4, 0));
  view->SetAnchor(CPoint(2, 0));
  view->SetSelection(CPoint(2, 0), CPoint(4, 0));
  Key(VK_LEFT, CHeadlessScreen::Shift);
  EXPECT_EQ(view->GetCaretPos(), CPoint(3, 0));
  EXPECT_EQ(view->GetAnchor(), CPoint(2, 0));
  view->SetSelection(CPoint(2, 0), CPoint(4, 0));
  view->MoveCaretTo(CPoint(4, 0));
  Key(VK_LEFT);
  EXPECT_EQ(view->GetCaretPos(), CPoint(2, 0));
  EXPECT_FALSE(view->HasSelection());
  view->SetSelection(CPoint(2, 0), CPoint(4, 0));
  Key(VK_RIGHT);
  EXPECT_EQ(view->GetCaretPos(), CPoint(4, 0));
  Key(VK_END);
  Key(VK_RIGHT);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 1));
  Key(VK_LEFT);
  EXPECT_EQ(view->GetCaretPos(), CPoint(6, 0));
  Key(VK_END, CHeadlessScreen::Ctrl);
  Key(VK_RIGHT, CHeadlessScreen::Shift);  // at the very end: stays, selection stays empty
  EXPECT_EQ(view->GetCaretPos(), CPoint(2, 1));
  EXPECT_FALSE(view->HasSelection());
}

TEST_F(ViewTest, WordMovesSkipWordsPunctuationAndBlanks) {
  SetText("abc   def\nx == y;");
  Key(VK_RIGHT, CHeadlessScreen::Ctrl);
  EXPECT_EQ(view->GetCaretPos(), CPoint(6, 0));
  Key(VK_RIGHT, CHeadlessScreen::Ctrl);
  EXPECT_EQ(view->GetCaretPos(), CPoint(9, 0));
  Key(VK_RIGHT, CHeadlessScreen::Ctrl);  // to the next line, over "x "
  EXPECT_EQ(view->GetCaretPos(), CPoint(2, 1));
  Key(VK_RIGHT, CHeadlessScreen::Ctrl);  // "==" and the blank after it
  EXPECT_EQ(view->GetCaretPos(), CPoint(5, 1));
  view->MoveCaretTo(CPoint(0, 1));
  view->SetSelection(CPoint(0, 1), CPoint(0, 1));
  view->SetAnchor(CPoint(0, 1));
  Key(VK_LEFT, CHeadlessScreen::Ctrl);  // from a line start: the previous line's last word
  EXPECT_EQ(view->GetCaretPos(), CPoint(6, 0));
  Key(VK_HOME, CHeadlessScreen::Ctrl);
  const int parses = view->parses;
  Key(VK_LEFT, CHeadlessScreen::Ctrl);  // at (0, 0) nothing happens at all
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 0));
  EXPECT_EQ(view->parses, parses);
}

TEST_F(ViewTest, VerticalMovesKeepTheIdealColumn) {
  SetText("0123456789abcdef\nabc\n0123456789abcdef\n\t\t\tx");
  view->MoveCaretTo(CPoint(12, 0));
  Key(VK_DOWN);
  EXPECT_EQ(view->GetCaretPos(), CPoint(3, 1));
  Key(VK_DOWN);
  EXPECT_EQ(view->GetCaretPos(), CPoint(12, 2));
  Key(VK_DOWN);  // column 12 lies on the third tab's stop: its nearer side is after it
  EXPECT_EQ(view->GetCaretPos(), CPoint(3, 3));
  view->MoveCaretTo(CPoint(11, 2));
  Key(VK_DOWN);  // column 11 inside the third tab (8..12): nearer to 12
  EXPECT_EQ(view->GetCaretPos(), CPoint(3, 3));
  view->MoveCaretTo(CPoint(10, 2));
  Key(VK_DOWN);  // column 10, half way: the tab's start
  EXPECT_EQ(view->GetCaretPos(), CPoint(2, 3));
  view->MoveCaretTo(CPoint(9, 2));
  Key(VK_DOWN);  // column 9 is nearer to 8
  EXPECT_EQ(view->GetCaretPos(), CPoint(2, 3));
}

TEST_F(ViewTest, HomeTogglesBetweenIndentAndLineStart) {
  SetText("    text\n   ");
  view->MoveCaretTo(CPoint(6, 0));
  Key(VK_HOME);
  EXPECT_EQ(view->GetCaretPos().x, 4);
  Key(VK_HOME);
  EXPECT_EQ(view->GetCaretPos().x, 0);
  Key(VK_HOME);
  EXPECT_EQ(view->GetCaretPos().x, 4);
  view->MoveCaretTo(CPoint(2, 1));
  Key(VK_HOME);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 1));
}

TEST_F(ViewTest, PagesScrollAndStayInsideTheText) {
  SetLines(200);
  const int s = view->GetScreenLines();
  ASSERT_GT(s, 5);
  Key(VK_NEXT);
  EXPECT_EQ(view->GetFirstVisibleLine(), s - 1);
  EXPECT_EQ(view->GetCaretPos().y, s - 1);
  Key(VK_NEXT, CHeadlessScreen::Shift);
  EXPECT_EQ(view->GetCaretPos().y, 2 * (s - 1));
  EXPECT_EQ(view->GetAnchor().y, s - 1);
  for (int i = 0; i < 100; ++i) Key(VK_NEXT);
  EXPECT_EQ(view->GetCaretPos().y, 199);
  EXPECT_LE(view->GetFirstVisibleLine(), 199);
  Key(VK_PRIOR);
  EXPECT_EQ(view->GetCaretPos().y, 199 - s + 1);
  Key(VK_HOME, CHeadlessScreen::Ctrl);
  EXPECT_EQ(view->GetFirstVisibleLine(), 0);
  Key(VK_UP, CHeadlessScreen::Ctrl);  // at the top: nothing
  EXPECT_EQ(view->GetFirstVisibleLine(), 0);
  Key(VK_DOWN, CHeadlessScreen::Ctrl);
  Key(VK_DOWN, CHeadlessScreen::Ctrl);
  EXPECT_EQ(view->GetFirstVisibleLine(), 2);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 0));  // the caret may scroll out of view
  EXPECT_EQ(view->GetScrollPos(SB_VERT), 2);
}

TEST_F(ViewTest, EnsureVisibleScrollsBothWays) {
  std::string longLine(300, 'w');
  SetText("short\n" + longLine);
  view->MoveCaretTo(CPoint(0, 1));
  Key(VK_END);
  EXPECT_EQ(view->GetFirstVisibleColumn(), 300 - view->GetScreenChars());
  EXPECT_EQ(view->GetScrollPos(SB_HORZ), view->GetFirstVisibleColumn());
  Key(VK_HOME);
  EXPECT_EQ(view->GetFirstVisibleColumn(), 0);
  SetLines(500);
  view->EnsureVisible(CPoint(0, 400));
  EXPECT_EQ(view->GetFirstVisibleLine(), 400 - view->GetScreenLines() + 1);
  view->EnsureVisible(CPoint(0, 3));
  EXPECT_EQ(view->GetFirstVisibleLine(), 3);
}

TEST_F(ViewTest, SelectAllAndCopyThroughTheClipboard) {
  SetText("first\nsecond");
  Key('C', CHeadlessScreen::Ctrl);  // nothing selected: nothing copied
  EXPECT_TRUE(screen->Backend().clipboard.empty());
  Key('A', CHeadlessScreen::Ctrl);
  EXPECT_EQ(view->GetCaretPos(), CPoint(6, 1));
  Key('C', CHeadlessScreen::Ctrl);
  EXPECT_EQ(screen->Backend().clipboard, u"first\r\nsecond");
  EXPECT_TRUE(view->CanPaste());
}

TEST_F(ViewTest, HighlightTextSelectsAndShows) {
  SetLines(300);
  view->HighlightText(CPoint(2, 250), 3);
  EXPECT_EQ(view->GetCaretPos(), CPoint(5, 250));
  CPoint s, e;
  view->GetSelection(s, e);
  EXPECT_EQ(s, CPoint(2, 250));
  EXPECT_EQ(e, CPoint(5, 250));
  EXPECT_LE(view->GetFirstVisibleLine(), 250);
  EXPECT_GT(view->GetFirstVisibleLine() + view->GetScreenLines(), 250);
}
