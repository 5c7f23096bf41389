// Device contexts: opaque and clipped text, colours, origins and clips, fills, bit-block transfer, DrawText.
#include <gtest/gtest.h>

#include <climits>

#include "GfxTestSupport.h"
#include "platform/gfx/ImageList.h"

namespace {

using gfxtest::Canvas;
using gfxtest::CountColor;
using gfxtest::kWhite;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kGreen = RGB(0, 160, 0);

class TextOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(font.CreateFontIndirect(gfxtest::CourierNew(-21)));
    canvas.dc.SelectObject(&font);
    cell = canvas.dc.GetTextExtent(u"X", 1);
  }
  Canvas canvas{200, 80};
  CFont font;
  CSize cell;
};

TEST_F(TextOutput, OpaqueFillsExactlyTheRectangleAndGlyphsAreClippedToIt) {
  const CRect rect(10, 10, 50, 40);
  canvas.dc.SetBkMode(TRANSPARENT);  // only the rectangle is filled, not the cells
  canvas.dc.SetBkColor(kRed);
  canvas.dc.SetTextColor(kBlue);
  // The text starts left of the rectangle and runs far past its right edge.
  ASSERT_TRUE(canvas.dc.ExtTextOut(2, 12, ETO_OPAQUE | ETO_CLIPPED, &rect, u"WWWWWWWWWW", 10));

  const CRect ink = gfxtest::InkBounds(canvas.bitmap, kWhite);
  EXPECT_EQ(ink, rect);
  // The rows above the glyphs are all background; glyph pixels inside are the text colour.
  EXPECT_EQ(CountColor(canvas.bitmap, CRect(10, 10, 50, 12), kRed), 40 * 2);
  EXPECT_GT(CountColor(canvas.bitmap, rect, kBlue), 20);
}

TEST_F(TextOutput, TheTextColourAppearsWhereAGlyphIsBlendedAtItsEdges) {
  canvas.dc.SetTextColor(kBlue);
  canvas.dc.SetBkMode(TRANSPARENT);
  ASSERT_TRUE(canvas.dc.ExtTextOut(20, 10, 0, nullptr, u"H", 1));
  const CRect ink = gfxtest::InkBounds(canvas.bitmap, kWhite);
  ASSERT_FALSE(ink.IsRectEmpty());
  // The glyph stands in its cell: right of x, below y, above the baseline.
  TEXTMETRIC tm{};
  ASSERT_TRUE(canvas.dc.GetTextMetrics(&tm));
  EXPECT_GE(ink.left, 20);
  EXPECT_LE(ink.right, 20 + cell.cx);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.bottom, 10 + tm.tmAscent);
  // The bar of the H is solid text colour; its edges blend between text and background.
  EXPECT_GT(CountColor(canvas.bitmap, ink, kBlue), ink.Height());
  const int blended = gfxtest::CountPixels(canvas.bitmap, ink, [](COLORREF c) {
    return c != kWhite && c != kBlue && GetRValue(c) == GetGValue(c) && GetBValue(c) >= 200;
  });
  EXPECT_GT(blended, 0);
}

TEST_F(TextOutput, OpaqueModeFillsTheCellsBehindTheTextAndNothingElse) {
  canvas.dc.SetBkColor(kRed);
  ASSERT_EQ(canvas.dc.GetBkMode(), OPAQUE);  // the default
  ASSERT_TRUE(canvas.dc.ExtTextOut(30, 20, 0, nullptr, u"a b", 3));
  const CRect cells(30, 20, 30 + 3 * cell.cx, 20 + cell.cy);
  EXPECT_EQ(gfxtest::InkBounds(canvas.bitmap, kWhite), cells);
  // The space's cell is wholly background.
  EXPECT_EQ(CountColor(canvas.bitmap, CRect(30 + cell.cx, 20, 30 + 2 * cell.cx, 20 + cell.cy), kRed),
            cell.cx * cell.cy);

  // Transparent mode keeps what was underneath between the strokes.
  canvas.bitmap.Fill(kGreen);
  canvas.dc.SetBkMode(TRANSPARENT);
  canvas.dc.TextOut(30, 20, u"a b");
  EXPECT_EQ(CountColor(canvas.bitmap, CRect(0, 0, 200, 80), kRed), 0);
}

TEST_F(TextOutput, BadArgumentsAreRefusedWithoutDrawing) {
  EXPECT_FALSE(canvas.dc.ExtTextOut(0, 0, 0, nullptr, u"abc", -1));
  EXPECT_FALSE(canvas.dc.ExtTextOut(0, 0, 0, nullptr, nullptr, 3));
  EXPECT_TRUE(canvas.dc.ExtTextOut(0, 0, 0, nullptr, nullptr, 0));
  EXPECT_EQ(canvas.dc.GetTextExtent(nullptr, 5).cx, 0);
  // Coordinates far outside any bitmap draw nothing and do not overflow.
  const CRect huge(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  canvas.dc.SetViewportOrg(INT_MAX, INT_MAX);
  EXPECT_TRUE(canvas.dc.ExtTextOut(INT_MAX, INT_MAX, ETO_OPAQUE | ETO_CLIPPED, &huge, u"abc", 3));
  canvas.dc.SetViewportOrg(0, 0);
  EXPECT_TRUE(gfxtest::InkBounds(canvas.bitmap, kWhite).IsRectEmpty());
  // A context with no bitmap draws nowhere.
  CDC empty;
  EXPECT_TRUE(empty.CreateCompatibleDC(nullptr));
  EXPECT_FALSE(empty.ExtTextOut(0, 0, 0, nullptr, u"abc", 3));
  empty.FillSolidRect(CRect(0, 0, 10, 10), kRed);
  EXPECT_EQ(empty.GetPixel(0, 0), CLR_INVALID);
}

TEST(WindowDC, DrawsAtItsOriginAndOnlyInsideItsClip) {
  CBitmap screen;
  ASSERT_TRUE(screen.Create(120, 100));
  screen.Fill(kWhite);
  CDC dc;
  dc.AttachSurface(&screen, CPoint(30, 20), CRect(30, 20, 80, 60));
  dc.FillSolidRect(CRect(-1000, -1000, 1000, 1000), kRed);
  EXPECT_EQ(gfxtest::InkBounds(screen, kWhite), CRect(30, 20, 80, 60));
  EXPECT_EQ(dc.GetPixel(0, 0), kRed);
  EXPECT_EQ(dc.GetPixel(-1, 0), CLR_INVALID);  // outside the clip

  // The viewport origin moves logical coordinates further; the clip narrows and reports
  // itself in logical terms.
  dc.SetViewportOrg(10, 5);
  EXPECT_EQ(dc.IntersectClipRect(0, 0, 20, 20), SIMPLEREGION);
  CRect box;
  EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
  EXPECT_EQ(box, CRect(0, 0, 20, 20));
  dc.FillSolidRect(CRect(0, 0, 100, 100), kBlue);
  EXPECT_EQ(gfxtest::BoundsWhere(screen, [](COLORREF c) { return c == kBlue; }), CRect(40, 25, 60, 45));
  EXPECT_EQ(dc.IntersectClipRect(200, 200, 300, 300), NULLREGION);
  dc.SetPixel(5, 5, kGreen);
  EXPECT_EQ(CountColor(screen, CRect(0, 0, 120, 100), kGreen), 0);
}

TEST(WindowDC, RestoreDcBringsBackClipColoursAndFont) {
  Canvas canvas(60, 60);
  CDC& dc = canvas.dc;
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(gfxtest::CourierNew(-30)));
  const int saved = dc.SaveDC();
  dc.SelectObject(&font);
  dc.SetTextColor(kRed);
  dc.SetBkMode(TRANSPARENT);
  dc.IntersectClipRect(0, 0, 5, 5);
  ASSERT_TRUE(dc.RestoreDC(saved));
  EXPECT_EQ(dc.GetCurrentFont(), GetSystemFont());
  EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
  EXPECT_EQ(dc.GetBkMode(), OPAQUE);
  dc.FillSolidRect(CRect(0, 0, 60, 60), kBlue);
  EXPECT_EQ(CountColor(canvas.bitmap, CRect(0, 0, 60, 60), kBlue), 3600);
  EXPECT_FALSE(dc.RestoreDC(-1));  // nothing left to restore
}

TEST(Fills, FillSolidRectSetsTheBackgroundAndFrameRectDrawsAnOutline) {
  Canvas canvas(40, 40);
  canvas.dc.FillSolidRect(5, 5, 10, 10, kGreen);
  EXPECT_EQ(canvas.dc.GetBkColor(), kGreen);  // as the framework's FillSolidRect leaves it
  EXPECT_EQ(CountColor(canvas.bitmap, CRect(0, 0, 40, 40), kGreen), 100);

  canvas.dc.FrameRect(CRect(20, 20, 30, 26), kRed);
  EXPECT_EQ(CountColor(canvas.bitmap, CRect(0, 0, 40, 40), kRed), 2 * 10 + 2 * 4);
  EXPECT_EQ(canvas.At(20, 20), kRed);
  EXPECT_EQ(canvas.At(29, 25), kRed);
  EXPECT_EQ(canvas.At(21, 21), kWhite);
  EXPECT_EQ(canvas.dc.GetBkColor(), kGreen);  // a frame does not touch it
}

// A bitmap whose every pixel tells where it came from.
void FillPattern(CBitmap& bitmap) {
  for (int y = 0; y < bitmap.GetHeight(); ++y) {
    for (int x = 0; x < bitmap.GetWidth(); ++x) bitmap.SetPixel(x, y, RGB(x, y, 7));
  }
}

TEST(BitBlt, CopiesARectangleFromAMemoryDcAndClipsAtTheEdges) {
  Canvas source(40, 30);
  FillPattern(source.bitmap);
  Canvas target(100, 80);
  ASSERT_TRUE(target.dc.BitBlt(10, 10, 40, 30, &source.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(gfxtest::InkBounds(target.bitmap, kWhite), CRect(10, 10, 50, 40));
  EXPECT_EQ(target.At(10, 10), RGB(0, 0, 7));
  EXPECT_EQ(target.At(49, 39), RGB(39, 29, 7));

  // Hanging off the left and bottom edges: what lies inside lands, nothing else happens.
  target.bitmap.Fill(kWhite);
  ASSERT_TRUE(target.dc.BitBlt(-5, 70, 40, 30, &source.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(gfxtest::InkBounds(target.bitmap, kWhite), CRect(0, 70, 35, 80));
  EXPECT_EQ(target.At(0, 70), RGB(5, 0, 7));

  // A source rectangle running past the source bitmap copies only what the bitmap has.
  target.bitmap.Fill(kWhite);
  ASSERT_TRUE(target.dc.BitBlt(0, 0, 40, 30, &source.dc, 30, 20, SRCCOPY));
  EXPECT_EQ(gfxtest::InkBounds(target.bitmap, kWhite), CRect(0, 0, 10, 10));
  EXPECT_EQ(target.At(0, 0), RGB(30, 20, 7));

  // The destination's clip holds as for any drawing.
  target.bitmap.Fill(kWhite);
  target.dc.IntersectClipRect(0, 0, 15, 15);
  ASSERT_TRUE(target.dc.BitBlt(10, 10, 40, 30, &source.dc, 0, 0, SRCCOPY));
  EXPECT_EQ(gfxtest::InkBounds(target.bitmap, kWhite), CRect(10, 10, 15, 15));

  EXPECT_FALSE(target.dc.BitBlt(0, 0, 10, 10, &source.dc, 0, 0, 0x00660046));  // not supported
  EXPECT_FALSE(target.dc.BitBlt(0, 0, 10, 10, nullptr, 0, 0, SRCCOPY));
  EXPECT_FALSE(target.dc.BitBlt(0, 0, -10, 10, &source.dc, 0, 0, SRCCOPY));
}

TEST(BitBlt, ScrollsWithinOneBitmapWithoutSmearing) {
  Canvas canvas(20, 20);
  FillPattern(canvas.bitmap);
  // Up by 5 (source below the destination), then down by 3 (source above).
  ASSERT_TRUE(canvas.dc.BitBlt(0, 0, 20, 15, &canvas.dc, 0, 5, SRCCOPY));
  EXPECT_EQ(canvas.At(4, 0), RGB(4, 5, 7));
  EXPECT_EQ(canvas.At(4, 14), RGB(4, 19, 7));
  FillPattern(canvas.bitmap);
  ASSERT_TRUE(canvas.dc.BitBlt(2, 3, 18, 17, &canvas.dc, 0, 0, SRCCOPY));
  for (int y = 3; y < 20; ++y) EXPECT_EQ(canvas.At(19, y), RGB(17, y - 3, 7)) << y;
}

class DrawTextTest : public TextOutput {};

TEST_F(DrawTextTest, CentresASingleLineBothWays) {
  canvas.dc.SetBkMode(TRANSPARENT);
  const CRect rect(0, 0, 200, 80);
  canvas.dc.DrawText(u"abc", 3, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const CRect ink = gfxtest::InkBounds(canvas.bitmap, kWhite);
  ASSERT_FALSE(ink.IsRectEmpty());
  // The three cells, centred: the ink lies within them.
  const int left = (200 - 3 * cell.cx) / 2;
  const int top = (80 - cell.cy) / 2;
  EXPECT_GE(ink.left, left);
  EXPECT_LE(ink.right, left + 3 * cell.cx);
  EXPECT_GE(ink.top, top);
  EXPECT_LE(ink.bottom, top + cell.cy);

  canvas.bitmap.Fill(kWhite);
  canvas.dc.DrawText(u"abc", 3, rect, DT_RIGHT | DT_SINGLELINE | DT_BOTTOM);
  EXPECT_GE(gfxtest::InkBounds(canvas.bitmap, kWhite).left, 200 - 3 * cell.cx);
}

TEST_F(DrawTextTest, MeasuresWrapsAndShortensWithAnEllipsis) {
  CRect measured(5, 5, 5, 5);
  EXPECT_EQ(canvas.dc.DrawText(u"Hello", -1, &measured, DT_CALCRECT | DT_SINGLELINE), cell.cy);
  EXPECT_EQ(measured, CRect(5, 5, 5 + 5 * cell.cx, 5 + cell.cy));
  EXPECT_TRUE(gfxtest::InkBounds(canvas.bitmap, kWhite).IsRectEmpty());  // measuring draws nothing

  // "&&" is one ampersand, "&S" an underlined S.
  CRect prefix(0, 0, 0, 0);
  canvas.dc.DrawText(u"&Save && Exit", -1, &prefix, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(prefix.Width(), 11 * cell.cx);

  // Word breaks: three words, each on its own line when only one fits.
  CRect narrow(0, 0, 6 * cell.cx, 0);
  EXPECT_EQ(canvas.dc.DrawText(u"alpha beta gamma", -1, &narrow, DT_CALCRECT | DT_WORDBREAK), 3 * cell.cy);
  CRect lines(0, 0, 100, 0);
  EXPECT_EQ(canvas.dc.DrawText(u"one\r\ntwo\nthree", -1, &lines, DT_CALCRECT), 3 * cell.cy);

  // Too long for the rectangle: cut, with "..." inside the width.
  CRect tight(0, 0, 8 * cell.cx, cell.cy);
  CRect fitted = tight;
  canvas.dc.DrawText(u"a long label that does not fit", -1, &fitted, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
  EXPECT_EQ(fitted.Width(), 8 * cell.cx);
  canvas.dc.SetBkMode(TRANSPARENT);
  canvas.dc.DrawText(u"a long label that does not fit", -1, tight, DT_SINGLELINE | DT_END_ELLIPSIS);
  const CRect ink = gfxtest::InkBounds(canvas.bitmap, kWhite);
  EXPECT_LE(ink.right, 8 * cell.cx);
  EXPECT_GT(ink.right, 6 * cell.cx);  // the dots stand in the last cells
}

TEST(ImageList, LeavesTheMaskColourOutWhenDrawing) {
  // Three 4 x 4 icons side by side; the middle one is a white-ringed blue square.
  CBitmap strip;
  ASSERT_TRUE(strip.Create(14, 4));  // two columns too many: ignored
  strip.Fill(kGreen);
  for (int y = 0; y < 4; ++y) {
    for (int x = 4; x < 8; ++x) strip.SetPixel(x, y, (x == 4 || x == 7 || y == 0 || y == 3) ? kWhite : kBlue);
  }
  CImageList icons;
  ASSERT_TRUE(icons.Create(strip, 4, kWhite));
  EXPECT_EQ(icons.GetImageCount(), 3);
  EXPECT_EQ(icons.GetIconSize(), (CSize{4, 4}));

  Canvas canvas(20, 20, kRed);
  for (UINT style : {ILD_NORMAL, ILD_TRANSPARENT}) {
    canvas.bitmap.Fill(kRed);
    ASSERT_TRUE(icons.Draw(&canvas.dc, 1, CPoint(8, 8), style));
    EXPECT_EQ(CountColor(canvas.bitmap, CRect(0, 0, 20, 20), kBlue), 4);
    EXPECT_EQ(canvas.At(9, 9), kBlue);
    EXPECT_EQ(canvas.At(8, 8), kRed);  // the ring was mask: what was there stays
    EXPECT_EQ(CountColor(canvas.bitmap, CRect(0, 0, 20, 20), kWhite), 0);
  }
  EXPECT_FALSE(icons.Draw(&canvas.dc, 3, CPoint(0, 0), ILD_NORMAL));
  EXPECT_FALSE(icons.Draw(&canvas.dc, -1, CPoint(0, 0), ILD_NORMAL));
  EXPECT_FALSE(icons.Draw(nullptr, 0, CPoint(0, 0), ILD_NORMAL));

  // More icons of the same height append; another height is refused.
  EXPECT_EQ(icons.Add(strip, kWhite), 3);
  EXPECT_EQ(icons.GetImageCount(), 6);
  CBitmap tall;
  ASSERT_TRUE(tall.Create(8, 5));
  EXPECT_EQ(icons.Add(tall, kWhite), -1);
  CImageList bad;
  EXPECT_FALSE(bad.Create(strip, 0, kWhite));
  EXPECT_FALSE(bad.Create(strip, 15, kWhite));
  EXPECT_FALSE(bad.Create(CBitmap(), 4, kWhite));
}

}  // namespace
