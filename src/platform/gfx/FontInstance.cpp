// A created font: face selection, metrics in the handheld's terms, and the glyph cache.
#include "platform/gfx/FontInstance.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/base/Strings.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/FaceCache.h"
#include "platform/gfx/FontMatch.h"

namespace plat::gfx {
namespace {

// A glyph bitmap bigger than this either way is a broken font, not a character.
constexpr unsigned kMaxGlyphSide = 4 * CFont::kMaxPixelSize;

int RoundDiv(double value) { return static_cast<int>(std::lround(value)); }

const TT_OS2* Os2Table(FT_Face face) {
  auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  return os2 && os2->version != 0xFFFF ? os2 : nullptr;
}

// The vertical extent in font units the handheld's metrics come from: the OS/2 "Win"
// ascent and descent where the face has them (Liberation's are the same as the faces it
// stands in for), else the horizontal header's.
void VerticalUnits(FT_Face face, double& ascent, double& descent) {
  const TT_OS2* os2 = Os2Table(face);
  if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
    ascent = os2->usWinAscent;
    descent = os2->usWinDescent;
  } else {
    ascent = face->ascender;
    descent = -face->descender;
  }
  if (ascent + descent <= 0) {
    ascent = face->units_per_EM * 0.8;
    descent = face->units_per_EM * 0.2;
  }
}

std::string FaceNameUtf8(const LOGFONT& logFont) {
  std::size_t n = 0;
  while (n < LF_FACESIZE && logFont.lfFaceName[n] != 0) ++n;
  return plat::Narrow(std::u16string_view(logFont.lfFaceName, n));
}

}  // namespace

FontInstance::FontInstance(Private) {}
FontInstance::~FontInstance() = default;

std::shared_ptr<FontInstance> FontInstance::Create(const LOGFONT& logFont, bool boxesIfNoFace) {
  const std::int64_t height = logFont.lfHeight;
  const std::int64_t width = std::abs(static_cast<std::int64_t>(logFont.lfWidth));
  if (height < -CFont::kMaxPixelSize || height > CFont::kMaxPixelSize || width > CFont::kMaxPixelSize) {
    return nullptr;
  }
  // No height asks for the size of the system font.
  int em = height < 0 ? static_cast<int>(-height) : 0;
  int cell = height > 0 ? static_cast<int>(height) : 0;
  if (height == 0) em = std::max(1, GetLogicalDpi() * 80 / 720);

  auto font = std::make_shared<FontInstance>(Private{});
  font->logFont = logFont;
  font->bold = logFont.lfWeight >= FW_SEMIBOLD;
  font->italic = logFont.lfItalic != 0;
  font->monochrome = logFont.lfQuality == NONANTIALIASED_QUALITY;

  FontRequest request;
  request.faceName = FaceNameUtf8(logFont);
  request.bold = font->bold;
  request.italic = font->italic;
  request.pitchAndFamily = logFont.lfPitchAndFamily;
  request.pixelSize = em ? em : cell;
  FaceChoice choice;
  if (MatchFace(request, choice, &font->fallbacks)) {
    font->synthBold = choice.embolden;
    font->synthOblique = choice.oblique;
    font->familyName = choice.family;
    font->OpenPrimary(choice.file, choice.index, em, cell, static_cast<int>(width));
  }
  if (!font->primary) {
    if (!boxesIfNoFace) return nullptr;
    font->SetBoxOnlyMetrics(em ? em : cell);
  }
  font->BuildBox();
  if (font->metrics.fixedPitch && font->primary) {
    // The cell is the drawn width of "X", the width the text view measures its columns by.
    font->metrics.aveCharWidth = font->metrics.maxCharWidth = 0;
    int cellWidth = font->GetGlyph(U'X').advance;
    if (cellWidth <= 0) cellWidth = std::max(1, font->ppemX / 2);
    font->FlushCache();
    font->metrics.aveCharWidth = font->metrics.maxCharWidth = cellWidth;
    font->BuildBox();
  }
  return font;
}

bool FontInstance::OpenPrimary(const std::string& file, int index, int em, int cell, int averageWidth) {
  int guess = em ? em : cell;
  std::shared_ptr<SharedFace> face = AcquireFace(file, index, guess, guess);
  if (!face) return false;
  FT_Face f = face->Face();
  if (!FT_IS_SCALABLE(f)) {
    // A bitmap face has the sizes it has; take the metrics of the strike chosen.
    const FT_Size_Metrics& sm = f->size->metrics;
    ppemX = std::max<int>(1, sm.x_ppem);
    ppemY = std::max<int>(1, sm.y_ppem);
    metrics.ascent = static_cast<int>((sm.ascender + 63) >> 6);
    metrics.descent = static_cast<int>((-sm.descender + 63) >> 6);
    metrics.maxCharWidth = static_cast<int>((sm.max_advance + 63) >> 6);
    metrics.aveCharWidth = std::max(1, metrics.maxCharWidth / 2);
    metrics.underlineOffset = std::max(1, metrics.descent / 2);
  } else {
    const double upem = f->units_per_EM > 0 ? f->units_per_EM : 2048;
    double ascentUnits = 0, descentUnits = 0;
    VerticalUnits(f, ascentUnits, descentUnits);
    // Copied out: the table goes with the face, and the face may be replaced below.
    const TT_OS2* os2 = Os2Table(f);
    const double avgUnits = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
    const double strikeoutUnits = os2 ? os2->yStrikeoutPosition : 0;
    // A positive height is the whole cell: choose the em that makes the cell that tall.
    ppemY = cell ? std::max(1, RoundDiv(cell * upem / (ascentUnits + descentUnits))) : em;
    ppemY = std::min(ppemY, CFont::kMaxPixelSize);
    ppemX = averageWidth > 0 ? std::clamp(RoundDiv(averageWidth * upem / avgUnits), 1, CFont::kMaxPixelSize)
                             : ppemY;
    if (ppemX != guess || ppemY != guess) face = AcquireFace(file, index, ppemX, ppemY);
    if (!face) return false;
    f = face->Face();
    os2 = nullptr;
    const double scaleY = ppemY / upem;
    const double scaleX = ppemX / upem;
    if (cell) {
      metrics.ascent = RoundDiv(cell * ascentUnits / (ascentUnits + descentUnits));
      metrics.descent = cell - metrics.ascent;
    } else {
      // Rounded up, as FreeType does, so that hinted glyphs stay inside the row.
      metrics.ascent = static_cast<int>(std::ceil(ascentUnits * scaleY - 0.01));
      metrics.descent = static_cast<int>(std::ceil(descentUnits * scaleY - 0.01));
    }
    metrics.externalLeading = std::max(0, RoundDiv((f->height - ascentUnits - descentUnits) * scaleY));
    metrics.aveCharWidth = std::max(1, RoundDiv(avgUnits * scaleX));
    metrics.maxCharWidth = std::max(metrics.aveCharWidth, RoundDiv(f->max_advance_width * scaleX));
    metrics.underlineOffset = std::max(1, RoundDiv(-f->underline_position * scaleY));
    metrics.underlineThickness = std::max(1, RoundDiv(f->underline_thickness * scaleY));
    metrics.strikeoutOffset = strikeoutUnits > 0 ? RoundDiv(strikeoutUnits * scaleY) : metrics.ascent / 3;
  }
  metrics.em = ppemY;
  metrics.height = metrics.ascent + metrics.descent;
  metrics.internalLeading = std::max(0, metrics.height - ppemY);
  metrics.fixedPitch = FT_IS_FIXED_WIDTH(f);
  if (metrics.strikeoutOffset <= 0) metrics.strikeoutOffset = metrics.ascent / 3;
  faceFile = file;
  primary = std::move(face);
  return true;
}

void FontInstance::SetBoxOnlyMetrics(int em) {
  em = std::max(1, em);
  ppemX = ppemY = em;
  metrics.em = em;
  metrics.ascent = (em * 4 + 4) / 5;
  metrics.descent = std::max(1, em / 4);
  metrics.height = metrics.ascent + metrics.descent;
  metrics.internalLeading = metrics.height - em;
  metrics.aveCharWidth = metrics.maxCharWidth = std::max(1, em / 2);
  metrics.underlineOffset = 1;
  metrics.strikeoutOffset = metrics.ascent / 3;
  metrics.fixedPitch = true;
}

// The hollow box drawn for a character no face has: one cell wide, from the baseline up
// three quarters of the ascent. Its coverage is the start of the arena and survives flushes.
void FontInstance::BuildBox() {
  const int advance = std::max(1, metrics.aveCharWidth);
  const int margin = advance >= 4 ? 1 : 0;
  const int w = advance - 2 * margin;
  const int h = std::max(2, metrics.ascent * 3 / 4);
  const int t = std::max(1, metrics.em / 24);
  coverage.assign(static_cast<std::size_t>(w) * h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (x < t || y < t || x >= w - t || y >= h - t) coverage[static_cast<std::size_t>(y) * w + x] = 255;
    }
  }
  boxBytes = coverage.size();
  box = Glyph{};
  box.advance = advance;
  box.left = static_cast<std::int16_t>(margin);
  box.top = static_cast<std::int16_t>(h);
  box.width = static_cast<std::uint16_t>(w);
  box.rows = static_cast<std::uint16_t>(h);
  box.offset = 0;
  box.loaded = true;
  for (auto& page : pages) page.reset();
}

void FontInstance::FlushCache() {
  coverage.resize(boxBytes);
  for (auto& page : pages) page.reset();
}

const Glyph& FontInstance::LoadGlyph(char32_t ch) {
  if (coverage.size() > kArenaLimit) FlushCache();
  Glyph glyph;
  bool drawn = false;
  if (primary) {
    if (FT_UInt index = FT_Get_Char_Index(primary->Face(), ch)) {
      drawn = Rasterize(*primary, index, synthBold, synthOblique, glyph);
    }
    if (!drawn) {
      if (SharedFace* face = FallbackFor(ch)) {
        FT_Face f = face->Face();
        if (FT_UInt index = FT_Get_Char_Index(f, ch)) {
          drawn = Rasterize(*face, index, bold && !(f->style_flags & FT_STYLE_FLAG_BOLD),
                            italic && !(f->style_flags & FT_STYLE_FLAG_ITALIC), glyph);
        }
      }
    }
  } else if (ch == U' ') {
    glyph.advance = metrics.aveCharWidth;
    drawn = true;
  }
  if (!drawn) glyph = box;
  if (metrics.fixedPitch && metrics.aveCharWidth > 0) {
    // The text view places every UTF-16 unit in a column of the width of "X". Glyphs from
    // a fallback face, or wide ones, are centred in their columns so the grid holds; a
    // character outside the 16-bit range is two units and gets two columns.
    int want = metrics.aveCharWidth * (ch > 0xFFFF ? 2 : 1);
    if (glyph.advance != want) {
      glyph.left = static_cast<std::int16_t>(glyph.left + (want - glyph.advance) / 2);
      glyph.advance = want;
    }
  }
  glyph.loaded = true;
  auto& page = pages[ch >> 8];
  if (!page) page = std::make_unique<GlyphPage>();
  return (*page)[ch & 0xFF] = glyph;
}

SharedFace* FontInstance::FallbackFor(char32_t ch) {
  FaceChoice choice;
  if (!fallbacks || !fallbacks->Find(ch, faceFile, choice)) return nullptr;
  std::string key = choice.file + '#' + std::to_string(choice.index);
  for (auto& [name, face] : fallbackFaces) {
    if (name == key) return face.get();
  }
  // Null is kept too, so that a file that fails to open is not tried again for each character.
  fallbackFaces.emplace_back(key, AcquireFace(choice.file, choice.index, ppemX, ppemY));
  return fallbackFaces.back().second.get();
}

bool FontInstance::Rasterize(SharedFace& face, unsigned glyphIndex, bool embolden, bool oblique, Glyph& out) {
  FT_Face f = face.Face();
  FT_Int32 flags = monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  if (embolden || oblique) flags |= FT_LOAD_NO_BITMAP;
  if (FT_Load_Glyph(f, glyphIndex, flags) != 0) return false;
  FT_GlyphSlot slot = f->glyph;
  if (embolden) FT_GlyphSlot_Embolden(slot);
  if (oblique) FT_GlyphSlot_Oblique(slot);
  if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
      FT_Render_Glyph(slot, monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) {
    return false;
  }
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.width > kMaxGlyphSide || bitmap.rows > kMaxGlyphSide) return false;
  const std::size_t w = bitmap.width;
  const std::size_t h = bitmap.rows;
  const std::size_t offset = coverage.size();
  coverage.resize(offset + w * h);
  for (std::size_t y = 0; y < h; ++y) {
    const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
    std::uint8_t* dst = coverage.data() + offset + y * w;
    switch (bitmap.pixel_mode) {
      case FT_PIXEL_MODE_GRAY:
        if (bitmap.num_grays == 256) {
          std::memcpy(dst, src, w);
        } else {
          for (std::size_t x = 0; x < w; ++x) dst[x] = static_cast<std::uint8_t>(src[x] * 255 / (bitmap.num_grays - 1));
        }
        break;
      case FT_PIXEL_MODE_MONO:
        for (std::size_t x = 0; x < w; ++x) dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        break;
      case FT_PIXEL_MODE_BGRA:  // colour glyphs are drawn by their shape, in the text colour
        for (std::size_t x = 0; x < w; ++x) dst[x] = src[x * 4 + 3];
        break;
      default:
        coverage.resize(offset);
        return false;
    }
  }
  out.advance = static_cast<std::int32_t>((slot->advance.x + 32) >> 6);
  out.left = static_cast<std::int16_t>(std::clamp<FT_Int>(slot->bitmap_left, -32768, 32767));
  out.top = static_cast<std::int16_t>(std::clamp<FT_Int>(slot->bitmap_top, -32768, 32767));
  out.width = static_cast<std::uint16_t>(w);
  out.rows = static_cast<std::uint16_t>(h);
  out.offset = static_cast<std::uint32_t>(offset);
  return true;
}

}  // namespace plat::gfx
