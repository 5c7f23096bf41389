// Logical fonts: the LOGFONT record, text metrics, and CFont (a face from fontconfig drawn with FreeType).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/base/Types.h"

class CDC;
namespace plat::gfx {
class FontInstance;
}

constexpr int LF_FACESIZE = 32;

// The handheld's logical-font record, byte for byte: the program stores it as 92 bytes.
struct LOGFONT {
  std::int32_t lfHeight;  // < 0: character (em) height in pixels; > 0: cell height; 0: default
  std::int32_t lfWidth;   // average character width in pixels; 0: the face's own proportions
  std::int32_t lfEscapement;
  std::int32_t lfOrientation;
  std::int32_t lfWeight;  // FW_*; 600 and above is bold
  std::uint8_t lfItalic;
  std::uint8_t lfUnderline;
  std::uint8_t lfStrikeOut;
  std::uint8_t lfCharSet;
  std::uint8_t lfOutPrecision;
  std::uint8_t lfClipPrecision;
  std::uint8_t lfQuality;
  std::uint8_t lfPitchAndFamily;
  char16_t lfFaceName[LF_FACESIZE];
};
static_assert(sizeof(LOGFONT) == 92, "LOGFONT is stored as the handheld's 92-byte record");

enum : std::int32_t {
  FW_DONTCARE = 0,
  FW_THIN = 100,
  FW_LIGHT = 300,
  FW_NORMAL = 400,
  FW_MEDIUM = 500,
  FW_SEMIBOLD = 600,
  FW_BOLD = 700,
  FW_HEAVY = 900,
};
enum : std::uint8_t {
  ANSI_CHARSET = 0,
  DEFAULT_CHARSET = 1,
  SYMBOL_CHARSET = 2,
  OEM_CHARSET = 255,
  OUT_DEFAULT_PRECIS = 0,
  CLIP_DEFAULT_PRECIS = 0,
  DEFAULT_QUALITY = 0,
  DRAFT_QUALITY = 1,
  NONANTIALIASED_QUALITY = 3,
  ANTIALIASED_QUALITY = 4,
  CLEARTYPE_QUALITY = 5,
  DEFAULT_PITCH = 0,
  FIXED_PITCH = 1,
  VARIABLE_PITCH = 2,
  FF_DONTCARE = 0x00,
  FF_ROMAN = 0x10,
  FF_SWISS = 0x20,
  FF_MODERN = 0x30,
  FF_SCRIPT = 0x40,
  FF_DECORATIVE = 0x50,
  // In TEXTMETRIC::tmPitchAndFamily this bit set means a *variable* pitch font: the
  // platform named it the wrong way round and programs test it that way.
  TMPF_FIXED_PITCH = 0x01,
  TMPF_VECTOR = 0x02,
  TMPF_TRUETYPE = 0x04,
};

// Metrics of a created font, in pixels.
struct TEXTMETRIC {
  std::int32_t tmHeight;  // tmAscent + tmDescent: one row of text
  std::int32_t tmAscent;
  std::int32_t tmDescent;
  std::int32_t tmInternalLeading;  // tmHeight minus the em size
  std::int32_t tmExternalLeading;
  std::int32_t tmAveCharWidth;
  std::int32_t tmMaxCharWidth;
  std::int32_t tmWeight;
  std::int32_t tmOverhang;
  std::uint8_t tmItalic;
  std::uint8_t tmUnderlined;
  std::uint8_t tmStruckOut;
  std::uint8_t tmPitchAndFamily;  // see TMPF_FIXED_PITCH
  std::uint8_t tmCharSet;
};

// A font object. Created fonts of the same face and size share the face; each CFont keeps
// its own glyph cache, so the first drawing of a character costs a rasterisation and every
// later one a table look-up. Fonts belong to the user-interface thread.
class CFont {
 public:
  CFont();
  ~CFont();
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  // Creates the font the record describes; a face name the system lacks is substituted as
  // fontconfig decides ("Courier New" becomes Liberation Mono, its metric twin). False,
  // with the font left empty, when no face can be loaded or the size is absurd (above
  // kMaxPixelSize).
  bool CreateFontIndirect(const LOGFONT& logFont);
  // lfHeight in tenths of a point, converted through the logical DPI as the handheld's
  // framework does (truncating): 80 at 192 DPI gives lfHeight -21.
  bool CreatePointFontIndirect(const LOGFONT& logFont, CDC* dc = nullptr);
  bool CreatePointFont(int pointSizeTenths, const char16_t* faceName, CDC* dc = nullptr);
  void DeleteObject();

  bool IsCreated() const { return impl != nullptr; }
  // The record the font was created from (after the point-size conversion).
  bool GetLogFont(LOGFONT* logFont) const;
  bool GetTextMetrics(TEXTMETRIC* metrics) const;
  bool IsFixedPitch() const;
  // The font file drawn with and its family name, for diagnostics and tests; empty when
  // the font is not created.
  std::string GetFaceFile() const;
  std::string GetFamilyName() const;

  static constexpr int kMaxPixelSize = 1024;

 private:
  friend class CDC;
  friend CFont* GetSystemFont();
  std::shared_ptr<plat::gfx::FontInstance> impl;
};

// A LOGFONT with every field zero and the given face, size (lfHeight) and weight.
LOGFONT MakeLogFont(const char16_t* faceName, int height, int weight = FW_NORMAL, bool italic = false);

// The font a device context starts with: Tahoma (Liberation Sans here) at 8 points through
// the current logical DPI. Never null; if the system has no usable font at all, it is a
// font that draws every character as a hollow box, so that measuring still gives sizes.
CFont* GetSystemFont();
