// A created font: its face, metrics and glyph cache, as the device context draws it (private to gfx).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/gfx/Font.h"

namespace plat::gfx {

class SharedFace;
class FallbackFaces;

// One rasterised character: grayscale coverage (0..255) kept in the font's arena.
struct Glyph {
  std::int32_t advance = 0;
  std::int16_t left = 0;  // from the pen position to the bitmap's first column
  std::int16_t top = 0;   // from the bitmap's first row down to the baseline
  std::uint16_t width = 0;
  std::uint16_t rows = 0;
  std::uint32_t offset = 0;  // first coverage byte in the arena
  bool loaded = false;
};

struct FontMetrics {
  int em = 0;  // pixels per em, vertically
  int height = 0;
  int ascent = 0;
  int descent = 0;
  int internalLeading = 0;
  int externalLeading = 0;
  int aveCharWidth = 0;  // for a fixed-pitch font: the width of every cell
  int maxCharWidth = 0;
  int underlineOffset = 0;  // below the baseline
  int underlineThickness = 1;
  int strikeoutOffset = 0;  // above the baseline
  bool fixedPitch = false;
};

class FontInstance {
  struct Private {};

 public:
  explicit FontInstance(Private);
  ~FontInstance();
  FontInstance(const FontInstance&) = delete;
  FontInstance& operator=(const FontInstance&) = delete;

  // Null when the record asks for an absurd size, or when no face can be loaded and
  // boxesIfNoFace is false; with it, a font without a face draws every character as a box.
  static std::shared_ptr<FontInstance> Create(const LOGFONT& logFont, bool boxesIfNoFace);

  // The drawing hot path. A character drawn before costs one page look-up and no call into
  // FreeType or fontconfig; the first drawing rasterises it (from a fallback face, or as a
  // hollow box) and files it. The reference stays valid until the next GetGlyph call.
  const Glyph& GetGlyph(char32_t ch) {
    if (ch >= kCodeSpace) ch = 0xFFFD;
    if (const GlyphPage* page = pages[ch >> 8].get()) {
      const Glyph& glyph = (*page)[ch & 0xFF];
      if (glyph.loaded) return glyph;
    }
    return LoadGlyph(ch);
  }
  const std::uint8_t* Coverage(const Glyph& glyph) const { return coverage.data() + glyph.offset; }

  const FontMetrics& Metrics() const { return metrics; }
  const LOGFONT& LogFont() const { return logFont; }
  const std::string& FaceFile() const { return faceFile; }
  const std::string& FamilyName() const { return familyName; }

  // The arena is emptied (and the cache with it) when it passes this, so that a text of
  // many thousand different characters at a huge size cannot take memory without end.
  static constexpr std::size_t kArenaLimit = 64u << 20;

 private:
  static constexpr char32_t kCodeSpace = 0x110000;
  using GlyphPage = std::array<Glyph, 256>;

  bool OpenPrimary(const std::string& file, int index, int em, int cell, int averageWidth);
  void SetBoxOnlyMetrics(int em);
  void BuildBox();
  const Glyph& LoadGlyph(char32_t ch);
  SharedFace* FallbackFor(char32_t ch);
  bool Rasterize(SharedFace& face, unsigned glyphIndex, bool embolden, bool oblique, Glyph& out);
  void FlushCache();

  LOGFONT logFont{};
  FontMetrics metrics;
  std::string faceFile;
  std::string familyName;
  bool bold = false;
  bool italic = false;
  bool synthBold = false;
  bool synthOblique = false;
  bool monochrome = false;
  int ppemX = 0;
  int ppemY = 0;
  std::shared_ptr<SharedFace> primary;
  std::unique_ptr<FallbackFaces> fallbacks;
  std::vector<std::pair<std::string, std::shared_ptr<SharedFace>>> fallbackFaces;  // opened on demand

  Glyph box;                    // for characters no face has; its coverage starts the arena
  std::size_t boxBytes = 0;
  std::vector<std::uint8_t> coverage;
  std::array<std::unique_ptr<GlyphPage>, kCodeSpace / 256> pages;
};

// The handheld's TEXTMETRIC for a font.
TEXTMETRIC TextMetricsOf(const FontInstance& font);

}  // namespace plat::gfx
