// The pen: character, word and line selection, drag-scrolling, the context menu, and
// bookmarks.
#include "platform/ui/Menu.h"
#include "resources/CommandIds.h"
#include "view/ViewFixture.h"


namespace {
CPoint Sel(TestView& v, bool end) {
  CPoint s, e;
  v.GetSelection(s, e);
  return end ? e : s;
}
}  // namespace

TEST_F(ViewTest, PenSelectsCharactersAndCollapsesOnATapInside) {
  SetText("hello world\nsecond line");
  screen->PenDown(CellCentre(2, 0).x, CellCentre(2, 0).y);
  EXPECT_TRUE(view->IsDragSelecting());
  screen->PenMove(CellCentre(4, 1).x, CellCentre(4, 1).y);
  screen->PenUp(CellCentre(4, 1).x, CellCentre(4, 1).y);
  EXPECT_FALSE(view->IsDragSelecting());
  EXPECT_EQ(Sel(*view, false), CPoint(2, 0));
  EXPECT_EQ(Sel(*view, true), CPoint(4, 1));
  EXPECT_EQ(view->GetCaretPos(), CPoint(4, 1));
  // A tap inside the selection that is released without moving puts the caret there.
  screen->Tap(CellCentre(6, 0).x, CellCentre(6, 0).y);
  EXPECT_FALSE(view->HasSelection());
  EXPECT_EQ(view->GetCaretPos(), CPoint(6, 0));
  EXPECT_EQ(view->GetAnchor(), CPoint(2, 0));  // the anchor stays where it was
  // Shift extends from the anchor.
  screen->Tap(CellCentre(1, 1).x, CellCentre(1, 1).y, CHeadlessScreen::Shift);
  EXPECT_EQ(Sel(*view, false), CPoint(2, 0));
  EXPECT_EQ(Sel(*view, true), CPoint(1, 1));
}

TEST_F(ViewTest, CtrlPressAndDoubleTapSelectWords) {
  SetText("alpha beta gamma\ndelta epsilon");
  screen->PenDown(CellCentre(7, 0).x, CellCentre(7, 0).y, CHeadlessScreen::Ctrl);
  EXPECT_TRUE(view->IsWordSelecting());
  EXPECT_EQ(Sel(*view, false), CPoint(6, 0));
  EXPECT_EQ(Sel(*view, true), CPoint(10, 0));
  screen->PenMove(CellCentre(12, 0).x, CellCentre(12, 0).y);
  EXPECT_EQ(Sel(*view, true), CPoint(16, 0));
  screen->PenUp(CellCentre(2, 1).x, CellCentre(2, 1).y);
  EXPECT_EQ(Sel(*view, false), CPoint(6, 0));
  EXPECT_EQ(Sel(*view, true), CPoint(5, 1));
  view->SetSelection(CPoint(0, 0), CPoint(0, 0));
  screen->Advance(1000);
  screen->Tap(CellCentre(8, 1).x, CellCentre(8, 1).y);
  screen->Advance(50);
  screen->PenDown(CellCentre(8, 1).x, CellCentre(8, 1).y);  // the second tap of a double tap
  EXPECT_EQ(Sel(*view, false), CPoint(6, 1));
  EXPECT_EQ(Sel(*view, true), CPoint(13, 1));
  EXPECT_TRUE(view->IsDragSelecting());  // dragging on extends by words
  screen->PenUp(CellCentre(8, 1).x, CellCentre(8, 1).y);
  EXPECT_FALSE(view->IsDragSelecting());
}

TEST_F(ViewTest, MarginSelectsWholeLines) {
  SetLines(12);
  screen->PenDown(MarginPoint(5).x, MarginPoint(5).y);
  EXPECT_TRUE(view->IsLineSelecting());
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 5));
  CPoint s, e;
  view->GetSelection(s, e);
  EXPECT_EQ(s, CPoint(0, 5));
  EXPECT_EQ(e, CPoint(0, 6));
  screen->PenUp(MarginPoint(5).x, MarginPoint(5).y);
  view->GetSelection(s, e);
  EXPECT_EQ(s, CPoint(0, 5));
  EXPECT_EQ(e, CPoint(0, 6));
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 6));
  // Shift+press beside line 8 shows lines 6..7 at first, 5..8 when released.
  screen->PenDown(MarginPoint(8).x, MarginPoint(8).y, CHeadlessScreen::Shift);
  view->GetSelection(s, e);
  EXPECT_EQ(s, CPoint(0, 6));
  EXPECT_EQ(e, CPoint(0, 8));
  screen->PenUp(MarginPoint(8).x, MarginPoint(8).y);
  view->GetSelection(s, e);
  EXPECT_EQ(s, CPoint(0, 5));
  EXPECT_EQ(e, CPoint(0, 9));
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 9));
  // The last line: up to its end.
  screen->Tap(MarginPoint(11).x, MarginPoint(11).y);
  view->GetSelection(s, e);
  EXPECT_EQ(s, CPoint(0, 11));
  EXPECT_EQ(e, CPoint(7, 11));
  EXPECT_EQ(view->GetCaretPos(), CPoint(7, 11));
  // Ctrl in the margin selects everything.
  screen->Tap(MarginPoint(2).x, MarginPoint(2).y, CHeadlessScreen::Ctrl);
  view->GetSelection(s, e);
  EXPECT_EQ(s, CPoint(0, 0));
  EXPECT_EQ(e, CPoint(7, 11));
}

TEST_F(ViewTest, HoldingThePenNearTheTopScrollsTwoLinesEveryTick) {
  SetLines(300);
  view->EnsureVisible(CPoint(0, 100));
  view->EnsureVisible(CPoint(0, 60));
  ASSERT_EQ(view->GetFirstVisibleLine(), 60);
  const CPoint p = CellCentre(2, 61);  // the second visible row
  screen->PenDown(p.x, p.y);
  screen->Advance(100);
  EXPECT_EQ(view->GetFirstVisibleLine(), 58);
  EXPECT_EQ(view->GetCaretPos().y, 59);
  screen->Advance(1000);
  EXPECT_EQ(view->GetFirstVisibleLine(), 38);
  screen->Advance(5000);
  EXPECT_EQ(view->GetFirstVisibleLine(), 0);
  EXPECT_EQ(view->GetCaretPos().y, 1);  // still the second row when the top is reached
  EXPECT_EQ(view->GetScrollPos(SB_VERT), 0);
  screen->PenUp(p.x, p.y);
  EXPECT_FALSE(view->IsDragSelecting());
  const int top = view->GetFirstVisibleLine();
  screen->Advance(500);  // the timer stopped with the pen
  EXPECT_EQ(view->GetFirstVisibleLine(), top);
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(ViewTest, HoldShowsTheContextMenuAndRunsTheChoice) {
  SetText("copy me");
  view->SetSelection(CPoint(0, 0), CPoint(4, 0));
  std::vector<std::u16string> shown;
  screen->SetModalHook([&](CWnd*) {
    shown = TrackedMenuTexts();
    ChooseTrackedMenuItem(ID_EDIT_COPY);
  });
  const CPoint p = CellCentre(1, 0);
  screen->Hold(p.x, p.y);
  EXPECT_EQ(shown, (std::vector<std::u16string>{u"Cut", u"Copy", u"Paste"}));
  EXPECT_EQ(screen->Backend().clipboard, u"copy");
  EXPECT_FALSE(view->IsDragSelecting());
  shown.clear();
  screen->RightClick(p.x, p.y);
  EXPECT_EQ(shown.size(), 3u);
}

TEST_F(ViewTest, BookmarksMoveBetweenLinesAndAreFound) {
  SetLines(40);
  view->MoveCaretTo(CPoint(0, 10));
  Key('3', CHeadlessScreen::Ctrl | CHeadlessScreen::Shift);
  EXPECT_EQ(buffer.GetLineFlags(10), 1u << 3);
  view->MoveCaretTo(CPoint(2, 20));
  Key('3', CHeadlessScreen::Ctrl | CHeadlessScreen::Shift);
  EXPECT_EQ(buffer.GetLineFlags(10), 0u);
  EXPECT_EQ(buffer.GetLineFlags(20), 1u << 3);
  view->MoveCaretTo(CPoint(4, 0));
  Key('3', CHeadlessScreen::Alt);
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 20));
  EXPECT_FALSE(view->HasSelection());
  Key('4', CHeadlessScreen::Alt);  // no bookmark 4: nothing happens
  EXPECT_EQ(view->GetCaretPos(), CPoint(0, 20));
  Key('3', CHeadlessScreen::Ctrl | CHeadlessScreen::Shift);  // toggled off again
  EXPECT_EQ(buffer.GetLineFlags(20), 0u);
  EXPECT_EQ(view->GetMarginIcon((1u << 0) | (1u << 3)), 5);  // bookmark 3's icon wins over bookmark 0's
  EXPECT_EQ(view->GetMarginIcon(1u << 0), 12);
  EXPECT_EQ(view->GetMarginIcon(1u << 9), 11);
  EXPECT_EQ(view->GetMarginIcon(0x00010000 | 0x2), 0);
  EXPECT_EQ(view->GetMarginIcon(0x00080000), 13);
  EXPECT_EQ(view->GetMarginIcon(0x01000000), 14);
  EXPECT_EQ(view->GetMarginIcon(0), -1);
}

TEST_F(ViewTest, ShortTextScrolledDownReturnsToTheTop) {
  SetLines(300);
  view->EnsureVisible(CPoint(0, 200));
  ASSERT_GT(view->GetFirstVisibleLine(), 0);
  buffer.DeleteText(nullptr, 5, 0, 299, buffer.GetLineLength(299));
  EXPECT_EQ(view->GetFirstVisibleLine(), 0);
}

TEST_F(ViewTest, ScrollBarMessagesMoveTheTopLine) {
  SetLines(300);
  const int s = view->GetScreenLines();
  view->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
  EXPECT_EQ(view->GetFirstVisibleLine(), s - 1);
  view->SendMessage(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(view->GetFirstVisibleLine(), s - 2);
  view->SendMessage(WM_VSCROLL, SB_BOTTOM);
  EXPECT_EQ(view->GetFirstVisibleLine(), 300 - s + 1);
  view->SendMessage(WM_VSCROLL, SB_TOP);
  EXPECT_EQ(view->GetFirstVisibleLine(), 0);
  EXPECT_EQ(view->GetScrollPos(SB_VERT), 0);
  // The pen on the bar: a press below the thumb pages down.
  CRect wr = view->GetWindowRect();
  screen->Tap(wr.right - 3, wr.bottom - 60);
  EXPECT_EQ(view->GetFirstVisibleLine(), s - 1);
}
