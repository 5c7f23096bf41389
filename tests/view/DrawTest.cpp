// What the view puts on the screen: colours, the selection, the margin and empty rows.
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/SysColors.h"
#include "view/ViewFixture.h"

namespace {

// Whether any pixel of the cell at (column, row) of the view has this colour.
bool CellHas(CHeadlessScreen& s, TestView& v, int column, int line, COLORREF color) {
  const CPoint p = v.TextPosToPoint(CPoint(0, line));
  CPoint origin(p.x + (column - v.GetFirstVisibleColumn()) * v.GetCharWidth(), p.y);
  v.ClientToScreen(origin);
  for (int y = origin.y; y < origin.y + v.GetLineHeight(); ++y)
    for (int x = origin.x; x < origin.x + v.GetCharWidth(); ++x)
      if (s.Pixel(x, y) == color) return true;
  return false;
}

bool CellAll(CHeadlessScreen& s, TestView& v, int column, int line, COLORREF color) {
  const CPoint p = v.TextPosToPoint(CPoint(0, line));
  CPoint origin(p.x + (column - v.GetFirstVisibleColumn()) * v.GetCharWidth(), p.y);
  v.ClientToScreen(origin);
  for (int y = origin.y; y < origin.y + v.GetLineHeight(); ++y)
    for (int x = origin.x; x < origin.x + v.GetCharWidth(); ++x)
      if (s.Pixel(x, y) != color) return false;
  return true;
}

const COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

}  // namespace

TEST_F(ViewTest, SelectionShowsOneColumnForTheLineBreakAndForEmptyLines) {
  SetText("abc\n\nxyz");
  view->SetSelection(CPoint(1, 0), CPoint(1, 2));
  screen->Screen();
  EXPECT_FALSE(CellHas(*screen, *view, 0, 0, kBlack) && CellAll(*screen, *view, 0, 0, kBlack));
  EXPECT_TRUE(CellHas(*screen, *view, 1, 0, kBlack));  // selected text: black behind it
  EXPECT_TRUE(CellHas(*screen, *view, 1, 0, kWhite));  // and white glyph pixels
  EXPECT_TRUE(CellAll(*screen, *view, 3, 0, kBlack));   // the line break's column
  EXPECT_TRUE(CellAll(*screen, *view, 4, 0, kWhite));   // then whitespace
  EXPECT_TRUE(CellAll(*screen, *view, 0, 1, kBlack));   // the empty line inside
  EXPECT_TRUE(CellAll(*screen, *view, 1, 1, kWhite));
  EXPECT_FALSE(CellHas(*screen, *view, 1, 2, kBlack) && CellAll(*screen, *view, 1, 2, kBlack));

  // Without the focus the selection is not drawn, unless a dialog asks for it.
  frame->SetFocus();
  screen->Screen();
  EXPECT_TRUE(CellAll(*screen, *view, 3, 0, kWhite));
  view->SetShowInactiveSelection(true);
  screen->Screen();
  EXPECT_TRUE(CellAll(*screen, *view, 3, 0, kBlack));
}

TEST_F(ViewTest, RowsBelowTheTextAreWhitespaceWithAnEmptyMargin) {
  SetText("one\ntwo");
  buffer.SetLineFlag(1, 1u << 2, true);
  screen->Screen();
  const COLORREF margin = GetSysColor(COLOR_SCROLLBAR);
  const int h = view->GetLineHeight();
  CPoint below(30, 5 * h + h / 2), marginBelow(10, 5 * h + h / 2);
  view->ClientToScreen(below);
  view->ClientToScreen(marginBelow);
  EXPECT_EQ(screen->Pixel(below.x, below.y), kWhite);
  EXPECT_EQ(screen->Pixel(marginBelow.x, marginBelow.y), margin);
  // The bookmark's icon is drawn in its row's margin cell: some pixel differs from the margin.
  int differing = 0;
  for (int y = h; y < 2 * h; ++y)
    for (int x = 0; x < 20; ++x) {
      CPoint p(x, y);
      view->ClientToScreen(p);
      if (screen->Pixel(p.x, p.y) != margin) ++differing;
    }
  EXPECT_GT(differing, 30);
  buffer.SetLineFlag(1, 1u << 2, false);
  screen->Screen();
  CPoint cell(10, h + h / 2);
  view->ClientToScreen(cell);
  EXPECT_EQ(screen->Pixel(cell.x, cell.y), margin);
}

TEST_F(ViewTest, RunsColourTheirCharactersAndTabsKeepStops) {
  view->colourDigits = true;
  SetText("ab\t12x");
  screen->Screen();
  const COLORREF number = RGB(200, 0, 0);
  EXPECT_FALSE(CellHas(*screen, *view, 0, 0, number));
  EXPECT_TRUE(CellHas(*screen, *view, 4, 0, number));  // "1" after the tab, at column 4
  EXPECT_TRUE(CellHas(*screen, *view, 5, 0, number));
  EXPECT_FALSE(CellHas(*screen, *view, 6, 0, number));
  EXPECT_TRUE(CellAll(*screen, *view, 2, 0, kWhite));  // the tab's spaces
}

TEST_F(ViewTest, TypingRepaintsOnlyWhatChanged) {
  SetLines(50);
  screen->Screen();
  const int before = view->parses;
  int l, c;
  buffer.InsertText(nullptr, 3, 0, u"x", l, c);
  view->UpdateSingleLine(3);
  screen->Screen();
  // Rows 3 .. the bottom are parsed again, nothing above.
  EXPECT_LE(view->parses - before, view->GetScreenLines() + 2);
  EXPECT_TRUE(CellHas(*screen, *view, 0, 3, kBlack));
}

TEST_F(ViewTest, DISABLED_Shot) {
  view->colourDigits = true;
  SetText("ab\t12x\nint main() { return 0; }\n\tindented\t1234");
  view->SetSelection(CPoint(1, 1), CPoint(3, 2));
  screen->SavePng("/tmp/view_shot.png");
}
