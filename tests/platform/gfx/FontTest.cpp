// Fonts: face substitution, sizes through the logical DPI, metrics, fallback faces and boxes.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "GfxTestSupport.h"
#include "platform/gfx/Dpi.h"

namespace {

using gfxtest::Canvas;
using gfxtest::CourierNew;
using gfxtest::kWhite;

TEST(Font, CourierNewIsFixedPitchWithEveryCharacterAsWideAsX) {
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(80, u"Courier New"));
  EXPECT_EQ(font.GetFamilyName(), "Liberation Mono");
  EXPECT_TRUE(font.IsFixedPitch());
  TEXTMETRIC tm{};
  ASSERT_TRUE(font.GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0);  // clear means fixed, as on the handheld

  Canvas canvas(10, 10);
  canvas.dc.SelectObject(&font);
  const CSize x = canvas.dc.GetTextExtent(u"X", 1);
  EXPECT_GT(x.cx, 0);
  EXPECT_EQ(x.cy, tm.tmHeight);
  EXPECT_EQ(tm.tmAveCharWidth, x.cx);
  for (char16_t c = 0x20; c < 0x7F; ++c) EXPECT_EQ(canvas.dc.GetTextExtent(&c, 1).cx, x.cx) << char(c);
  // Characters from a fallback face and boxes keep the grid too.
  for (char16_t c : {u'\u00e9', u'\u4e2d', u'\u3042', char16_t(0xDC80)}) {
    EXPECT_EQ(canvas.dc.GetTextExtent(&c, 1).cx, x.cx) << int(c);
  }
  EXPECT_EQ(canvas.dc.GetTextExtent(u"int main()", 10).cx, 10 * x.cx);
}

TEST(Font, BoldAndItalicVariantsUseTheirOwnFacesAndDrawDifferently) {
  CFont regular, bold, italic, boldItalic;
  ASSERT_TRUE(regular.CreateFontIndirect(CourierNew(-21)));
  ASSERT_TRUE(bold.CreateFontIndirect(CourierNew(-21, FW_BOLD)));
  ASSERT_TRUE(italic.CreateFontIndirect(CourierNew(-21, FW_NORMAL, true)));
  ASSERT_TRUE(boldItalic.CreateFontIndirect(CourierNew(-21, FW_BOLD, true)));
  EXPECT_NE(bold.GetFaceFile(), regular.GetFaceFile());
  EXPECT_NE(italic.GetFaceFile(), regular.GetFaceFile());
  EXPECT_NE(boldItalic.GetFaceFile(), bold.GetFaceFile());
  TEXTMETRIC tm{};
  ASSERT_TRUE(bold.GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  ASSERT_TRUE(italic.GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmItalic, 1);

  // Bold puts more ink down than regular for the same text.
  auto ink = [](CFont& font) {
    Canvas canvas(300, 40);
    canvas.dc.SelectObject(&font);
    canvas.dc.SetBkMode(TRANSPARENT);
    canvas.dc.TextOut(0, 0, u"Hello, world");
    return gfxtest::CountPixels(canvas.bitmap, CRect(0, 0, 300, 40), [](COLORREF c) { return GetRValue(c) < 128; });
  };
  EXPECT_GT(ink(bold), ink(regular) * 5 / 4);
}

TEST(Font, AFaceThatDoesNotExistFallsBackToAnInstalledOne) {
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(MakeLogFont(u"No Such Face Anywhere", -21)));
  EXPECT_FALSE(font.GetFaceFile().empty());
  // With a fixed pitch asked for, the stand-in is a fixed-pitch face.
  LOGFONT lf = MakeLogFont(u"No Such Face Anywhere", -21);
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  CFont fixed;
  ASSERT_TRUE(fixed.CreateFontIndirect(lf));
  EXPECT_TRUE(fixed.IsFixedPitch());
  // An empty name is the system's default face, which draws.
  CFont unnamed;
  ASSERT_TRUE(unnamed.CreateFontIndirect(MakeLogFont(u"", -21)));
  Canvas canvas(100, 40);
  canvas.dc.SelectObject(&unnamed);
  canvas.dc.TextOut(0, 0, u"Abc");
  EXPECT_FALSE(gfxtest::InkBounds(canvas.bitmap, kWhite).IsRectEmpty());
}

class FontSize : public ::testing::Test {
 protected:
  void TearDown() override { plat::gfx::SetScreenWidthForDpi(480); }
};

TEST_F(FontSize, PointSizesGoThroughTheLogicalDpiTruncating) {
  CFont font;
  LOGFONT lf{};
  ASSERT_TRUE(font.CreatePointFont(80, u"Courier New"));
  ASSERT_TRUE(font.GetLogFont(&lf));
  EXPECT_EQ(lf.lfHeight, -21);  // 192 * 80 / 720 = 21.3
  EXPECT_EQ(std::u16string(lf.lfFaceName), u"Courier New");
  plat::gfx::SetScreenWidthForDpi(320);
  ASSERT_TRUE(font.CreatePointFont(80, u"Courier New"));
  ASSERT_TRUE(font.GetLogFont(&lf));
  EXPECT_EQ(lf.lfHeight, -10);  // 96 * 80 / 720 = 10.7
  // The system font follows the DPI it is asked for at.
  TEXTMETRIC small{}, large{};
  ASSERT_TRUE(GetSystemFont()->GetTextMetrics(&small));
  plat::gfx::SetScreenWidthForDpi(480);
  ASSERT_TRUE(GetSystemFont()->GetTextMetrics(&large));
  EXPECT_GT(large.tmHeight, small.tmHeight * 3 / 2);
}

TEST_F(FontSize, APositiveHeightIsTheCellAndANegativeOneTheCharacter) {
  CFont cell, character;
  TEXTMETRIC tm{};
  for (int height = 8; height <= 64; ++height) {
    ASSERT_TRUE(cell.CreateFontIndirect(CourierNew(height)));
    ASSERT_TRUE(cell.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, height);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, height);
  }
  ASSERT_TRUE(character.CreateFontIndirect(CourierNew(-30)));
  ASSERT_TRUE(character.GetTextMetrics(&tm));
  EXPECT_GT(tm.tmHeight, 30);
  EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 30);
  // No height at all is a usable default, not an empty font.
  CFont unsized;
  ASSERT_TRUE(unsized.CreateFontIndirect(CourierNew(0)));
  ASSERT_TRUE(unsized.GetTextMetrics(&tm));
  EXPECT_GT(tm.tmHeight, 10);
}

TEST_F(FontSize, AbsurdSizesAreRefusedAndLeaveNoFont) {
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(CourierNew(-21)));
  for (int height : {1000000, -1000000, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(font.CreateFontIndirect(CourierNew(height))) << height;
    EXPECT_FALSE(font.IsCreated());
  }
  LOGFONT wide = CourierNew(-21);
  wide.lfWidth = INT_MIN;
  EXPECT_FALSE(font.CreateFontIndirect(wide));
  EXPECT_FALSE(font.CreatePointFont(INT_MAX, u"Courier New"));
  EXPECT_FALSE(font.CreatePointFont(INT_MIN, u"Courier New"));
  TEXTMETRIC tm{};
  EXPECT_FALSE(font.GetTextMetrics(&tm));

  // A face name filling all 32 units with no terminator is read no further.
  LOGFONT full = CourierNew(-21);
  for (char16_t& c : full.lfFaceName) c = u'Q';
  EXPECT_TRUE(font.CreateFontIndirect(full));
  // A font that is not created cannot be selected.
  CFont none;
  Canvas canvas(10, 10);
  EXPECT_EQ(canvas.dc.SelectObject(&none), nullptr);
  EXPECT_EQ(canvas.dc.GetCurrentFont(), GetSystemFont());
}

// Draws one piece of text in Courier New and returns the canvas.
struct Drawn {
  Canvas canvas{120, 40};
  CFont font;
  CSize cell;
  explicit Drawn(const std::u16string& text) {
    font.CreateFontIndirect(CourierNew(-21));
    canvas.dc.SelectObject(&font);
    cell = canvas.dc.GetTextExtent(u"X", 1);
    canvas.dc.TextOut(0, 0, text);
  }
};

TEST(Glyphs, ACharacterNoFaceHasIsAHollowBoxOfTheCellWidth) {
  Drawn box(std::u16string(1, char16_t(0xDC80)));  // a lone surrogate: an undecodable byte
  const CRect ink = gfxtest::InkBounds(box.canvas.bitmap, kWhite);
  ASSERT_FALSE(ink.IsRectEmpty());
  EXPECT_LE(ink.right, box.cell.cx);
  EXPECT_GE(ink.Width(), box.cell.cx / 2);
  const COLORREF black = RGB(0, 0, 0);
  EXPECT_EQ(box.canvas.At(ink.left, (ink.top + ink.bottom) / 2), black);
  EXPECT_EQ(box.canvas.At(ink.right - 1, (ink.top + ink.bottom) / 2), black);
  EXPECT_EQ(box.canvas.At((ink.left + ink.right) / 2, ink.top), black);
  EXPECT_EQ(box.canvas.At((ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2), kWhite);  // hollow
}

TEST(Glyphs, ACharacterTheFaceLacksIsDrawnFromAFallbackFace) {
  // Liberation Mono has no snowman; DejaVu does, so this is no box.
  Drawn snowman(u"\u2603");
  Drawn box(std::u16string(1, char16_t(0xDC80)));
  const int ink = gfxtest::CountPixels(snowman.canvas.bitmap, CRect(0, 0, 120, 40), [](COLORREF c) { return c != kWhite; });
  EXPECT_GT(ink, 20);
  int differing = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 120; ++x) differing += snowman.canvas.At(x, y) != box.canvas.At(x, y);
  }
  EXPECT_GT(differing, 20);
}

TEST(Glyphs, ASurrogatePairIsOneGlyphTwoColumnsWide) {
  Canvas canvas(10, 10);
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(CourierNew(-21)));
  canvas.dc.SelectObject(&font);
  const int cell = canvas.dc.GetTextExtent(u"X", 1).cx;
  const char16_t pair[] = u"\U0001F600a";
  int extents[3] = {};
  int fit = 0;
  ASSERT_TRUE(canvas.dc.GetTextExtentExPoint(pair, 3, 2 * cell, &fit, extents, nullptr));
  EXPECT_EQ(extents[0], 2 * cell);  // both units end where the one glyph ends
  EXPECT_EQ(extents[1], 2 * cell);
  EXPECT_EQ(extents[2], 3 * cell);
  EXPECT_EQ(fit, 2);
  // Drawn whole, the pair is not the two boxes its halves would be on their own.
  Drawn whole(u"\U0001F600");
  Drawn halves(std::u16string{pair[0]} + u" " + std::u16string{pair[1]});
  EXPECT_NE(gfxtest::InkBounds(whole.canvas.bitmap, kWhite), gfxtest::InkBounds(halves.canvas.bitmap, kWhite));
}

}  // namespace
