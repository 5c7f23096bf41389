// CDC text output and measuring: the glyph drawing hot path.
//
// The text view repaints whole screens of text, so drawing a character must cost no more
// than a look-up and a blend. Each font caches its glyphs in pages of 256 code points
// (coverage bytes in one arena per font); after a character's first drawing, ExtTextOut
// makes no FreeType or fontconfig call and allocates nothing. Glyphs are clipped to the
// clip rectangle as whole spans, fully covered pixels are stored without arithmetic, and
// partly covered ones blend red and blue together in one 32-bit multiply.
#include <algorithm>
#include <cstdint>

#include "platform/gfx/DC.h"
#include "platform/gfx/FontInstance.h"
#include "platform/gfx/Geometry.h"

using plat::gfx::FontInstance;
using plat::gfx::Glyph;
using plat::gfx::Intersect;
using plat::gfx::SatAdd;

namespace {

constexpr bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The character at text[i] and how many units it takes: a surrogate pair is one glyph; a
// lone surrogate (how undecodable bytes are carried) is drawn on its own, as a box.
inline char32_t CharAt(const char16_t* text, int i, int count, int& units) {
  const char16_t c = text[i];
  if (IsHighSurrogate(c) && i + 1 < count && IsLowSurrogate(text[i + 1])) {
    units = 2;
    return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  units = 1;
  return c;
}

// dst = fg * a + dst * (1 - a), a = coverage / 255, per channel, rounded.
inline void BlendSpan(std::uint32_t* dst, const std::uint8_t* coverage, int n, std::uint32_t fg) {
  const std::uint32_t fgRB = fg & 0xFF00FF;
  const std::uint32_t fgG = fg & 0x00FF00;
  for (int i = 0; i < n; ++i) {
    const std::uint32_t a = coverage[i];
    if (a == 0) continue;
    if (a == 255) {
      dst[i] = fg;
      continue;
    }
    const std::uint32_t d = dst[i];
    const std::uint32_t na = 255 - a;
    // Red and blue sit 16 bits apart, so both products fit side by side without carrying
    // into each other; (x + 128 + ((x + 128) >> 8)) >> 8 is x / 255 rounded.
    std::uint32_t rb = fgRB * a + (d & 0xFF00FF) * na + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    std::uint32_t g = fgG * a + (d & 0x00FF00) * na + 0x008000;
    g = ((g + ((g >> 8) & 0x00FF00)) >> 8) & 0x00FF00;
    dst[i] = rb | g;
  }
}

}  // namespace

int CDC::TextWidth(const char16_t* text, int count, const int* dx) const {
  std::int64_t width = 0;
  FontInstance& f = *fontImpl;
  for (int i = 0; i < count;) {
    int units = 1;
    const char32_t ch = CharAt(text, i, count, units);
    width += dx ? dx[i] + (units == 2 ? dx[i + 1] : 0) : f.GetGlyph(ch).advance;
    i += units;
  }
  return static_cast<int>(std::clamp<std::int64_t>(width, -plat::gfx::kCoordLimit, plat::gfx::kCoordLimit));
}

void CDC::DrawGlyphs(int x, int y, const CRect& clipRect, const char16_t* text, int count, const int* dx) {
  FontInstance& f = *fontImpl;
  const plat::gfx::FontMetrics& m = f.Metrics();
  const std::uint32_t fg = PixelFromColor(textColor);
  const int baseline = y + m.ascent;
  // Without caller-given advances the pen only moves right; a glyph starting an em past
  // the clip cannot reach back into it.
  const int stopX = clipRect.right + 2 * m.em;
  int penX = x;
  for (int i = 0; i < count;) {
    int units = 1;
    const char32_t ch = CharAt(text, i, count, units);
    const Glyph& g = f.GetGlyph(ch);
    const int gx = penX + g.left;
    const int gy = baseline - g.top;
    const int x0 = std::max(gx, clipRect.left);
    const int x1 = std::min(gx + g.width, clipRect.right);
    const int y0 = std::max(gy, clipRect.top);
    const int y1 = std::min(gy + g.rows, clipRect.bottom);
    if (x0 < x1 && y0 < y1) {
      const std::uint8_t* coverage = f.Coverage(g) + (y0 - gy) * g.width + (x0 - gx);
      for (int row = y0; row < y1; ++row, coverage += g.width) {
        BlendSpan(surface->Row(row) + x0, coverage, x1 - x0, fg);
      }
    }
    penX = SatAdd(penX, dx ? dx[i] + (units == 2 ? dx[i + 1] : 0) : g.advance);
    i += units;
    if (!dx && penX > stopX) break;
  }
}

bool CDC::ExtTextOut(int x, int y, UINT options, const CRect* rect, const char16_t* text, int count,
                     const int* dx) {
  if (count < 0 || (count > 0 && !text) || !surface) return false;
  CRect clipRect = DeviceClip();
  CRect rectDevice;
  if (rect) rectDevice = ToDevice(*rect);
  const bool filledRect = rect && (options & ETO_OPAQUE);
  if (filledRect) FillDevice(Intersect(rectDevice, clipRect), PixelFromColor(bkColor));
  if (rect && (options & ETO_CLIPPED)) clipRect = Intersect(clipRect, rectDevice);
  if (count == 0 || !fontImpl || clipRect.IsRectEmpty()) return true;

  const CRect at = ToDevice(CRect(x, y, x, y));
  const plat::gfx::FontMetrics& m = fontImpl->Metrics();
  const LOGFONT& lf = fontImpl->LogFont();
  const bool decorated = lf.lfUnderline || lf.lfStrikeOut;
  int width = 0;
  if (bkMode == OPAQUE || decorated) width = TextWidth(text, count, dx);
  if (bkMode == OPAQUE) {
    const CRect cells(at.left, at.top, SatAdd(at.left, width), SatAdd(at.top, m.height));
    // Already done when the opaque rectangle holds the cells.
    if (!filledRect || !plat::gfx::Contains(rectDevice, cells)) {
      FillDevice(Intersect(cells, clipRect), PixelFromColor(bkColor));
    }
  }
  DrawGlyphs(at.left, at.top, clipRect, text, count, dx);
  if (decorated) {
    const std::uint32_t fg = PixelFromColor(textColor);
    const int baseline = at.top + m.ascent;
    const int right = SatAdd(at.left, width);
    if (lf.lfUnderline) {
      const int top = baseline + m.underlineOffset;
      FillDevice(Intersect(CRect(at.left, top, right, top + m.underlineThickness), clipRect), fg);
    }
    if (lf.lfStrikeOut) {
      const int top = baseline - m.strikeoutOffset;
      FillDevice(Intersect(CRect(at.left, top, right, top + m.underlineThickness), clipRect), fg);
    }
  }
  return true;
}

bool CDC::TextOut(int x, int y, std::u16string_view text) {
  return ExtTextOut(x, y, 0, nullptr, text.data(), static_cast<int>(std::min<std::size_t>(text.size(), INT32_MAX)));
}

CSize CDC::GetTextExtent(const char16_t* text, int count) const {
  if (!fontImpl) return CSize{};
  const int height = fontImpl->Metrics().height;
  if (!text || count <= 0) return CSize{0, height};
  return CSize{TextWidth(text, count, nullptr), height};
}

CSize CDC::GetTextExtent(std::u16string_view text) const {
  return GetTextExtent(text.data(), static_cast<int>(std::min<std::size_t>(text.size(), INT32_MAX)));
}

bool CDC::GetTextExtentExPoint(const char16_t* text, int count, int maxExtent, int* fit, int* extents,
                               CSize* size) const {
  if (count < 0 || (count > 0 && !text) || !fontImpl) return false;
  FontInstance& f = *fontImpl;
  std::int64_t width = 0;
  int fitting = 0;
  for (int i = 0; i < count;) {
    int units = 1;
    const char32_t ch = CharAt(text, i, count, units);
    width += f.GetGlyph(ch).advance;
    const int clamped = static_cast<int>(std::min<std::int64_t>(width, plat::gfx::kCoordLimit));
    if (extents) {
      // Both units of a pair end where the glyph ends.
      for (int k = 0; k < units; ++k) extents[i + k] = clamped;
    }
    if (width <= maxExtent && fitting == i) fitting = i + units;
    i += units;
  }
  if (fit) *fit = fitting;
  if (size) *size = CSize{static_cast<int>(std::min<std::int64_t>(width, plat::gfx::kCoordLimit)), f.Metrics().height};
  return true;
}

bool CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
  if (!fontImpl || !metrics) return false;
  *metrics = plat::gfx::TextMetricsOf(*fontImpl);
  return true;
}
