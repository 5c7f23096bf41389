// CFont: creating logical fonts, point sizes through the logical DPI, metrics, the system font.
#include "platform/gfx/Font.h"

#include <cstdlib>
#include <map>

#include "platform/gfx/DC.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/FontInstance.h"

using plat::gfx::FontInstance;
using plat::gfx::FontMetrics;

CFont::CFont() = default;
CFont::~CFont() = default;

bool CFont::CreateFontIndirect(const LOGFONT& logFont) {
  impl = FontInstance::Create(logFont, false);
  return impl != nullptr;
}

bool CFont::CreatePointFontIndirect(const LOGFONT& logFont, CDC* dc) {
  // The framework's conversion: tenths of a point times pixels per inch over 720,
  // truncated, made negative (a character height).
  const std::int64_t dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : plat::gfx::GetLogicalDpi();
  const std::int64_t pixels = std::llabs(dpi * logFont.lfHeight / 720);
  if (pixels > kMaxPixelSize) {
    impl.reset();
    return false;
  }
  LOGFONT converted = logFont;
  converted.lfHeight = -static_cast<std::int32_t>(pixels);
  return CreateFontIndirect(converted);
}

bool CFont::CreatePointFont(int pointSizeTenths, const char16_t* faceName, CDC* dc) {
  return CreatePointFontIndirect(MakeLogFont(faceName, pointSizeTenths), dc);
}

void CFont::DeleteObject() { impl.reset(); }

bool CFont::GetLogFont(LOGFONT* logFont) const {
  if (!impl || !logFont) return false;
  *logFont = impl->LogFont();
  return true;
}

bool CFont::GetTextMetrics(TEXTMETRIC* metrics) const {
  if (!impl || !metrics) return false;
  *metrics = plat::gfx::TextMetricsOf(*impl);
  return true;
}

bool CFont::IsFixedPitch() const { return impl && impl->Metrics().fixedPitch; }

std::string CFont::GetFaceFile() const { return impl ? impl->FaceFile() : std::string(); }

std::string CFont::GetFamilyName() const { return impl ? impl->FamilyName() : std::string(); }

TEXTMETRIC plat::gfx::TextMetricsOf(const FontInstance& font) {
  const FontMetrics& m = font.Metrics();
  const LOGFONT& lf = font.LogFont();
  TEXTMETRIC tm{};
  tm.tmHeight = m.height;
  tm.tmAscent = m.ascent;
  tm.tmDescent = m.descent;
  tm.tmInternalLeading = m.internalLeading;
  tm.tmExternalLeading = m.externalLeading;
  tm.tmAveCharWidth = m.aveCharWidth;
  tm.tmMaxCharWidth = m.maxCharWidth;
  tm.tmWeight = lf.lfWeight >= FW_SEMIBOLD ? FW_BOLD : FW_NORMAL;
  tm.tmItalic = lf.lfItalic ? 1 : 0;
  tm.tmUnderlined = lf.lfUnderline ? 1 : 0;
  tm.tmStruckOut = lf.lfStrikeOut ? 1 : 0;
  // TMPF_FIXED_PITCH set means variable pitch (see Font.h).
  tm.tmPitchAndFamily = static_cast<std::uint8_t>((m.fixedPitch ? FF_MODERN : (TMPF_FIXED_PITCH | FF_SWISS)) |
                                                  TMPF_VECTOR | TMPF_TRUETYPE);
  tm.tmCharSet = lf.lfCharSet;
  return tm;
}

LOGFONT MakeLogFont(const char16_t* faceName, int height, int weight, bool italic) {
  LOGFONT lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfItalic = italic ? 1 : 0;
  // Cut to 31 units so the name stays terminated, as the handheld's copy routines do.
  for (int i = 0; faceName && i < LF_FACESIZE - 1 && faceName[i]; ++i) lf.lfFaceName[i] = faceName[i];
  return lf;
}

CFont* GetSystemFont() {
  // One per logical DPI: the screen may turn between the two while the program runs.
  static std::map<int, CFont> fonts;
  const int dpi = plat::gfx::GetLogicalDpi();
  CFont& font = fonts[dpi];
  if (!font.impl) {
    LOGFONT lf = MakeLogFont(u"Tahoma", -(dpi * 80 / 720));
    font.impl = FontInstance::Create(lf, true);
  }
  return &font;
}
