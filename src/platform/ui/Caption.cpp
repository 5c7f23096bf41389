// Drawing the caption bar: the title in bold on the caption colour, and a dialog's "ok".
#include "platform/ui/Caption.h"

#include "platform/gfx/DC.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Metrics.h"

using plat::ui::Scaled;

namespace {

CFont& CaptionFont() {
  static CFont font;
  static int dpi = 0;
  if (!font.IsCreated() || dpi != plat::gfx::GetLogicalDpi()) {
    dpi = plat::gfx::GetLogicalDpi();
    font.DeleteObject();
    LOGFONT lf = MakeLogFont(u"Tahoma", -MulDiv(9, dpi, 72), FW_BOLD);
    font.CreateFontIndirect(lf);
  }
  return font;
}

}  // namespace

CRect CaptionOkRect(const CRect& strip) {
  const int w = Scaled(30);
  return CRect(strip.right - w - Scaled(4), strip.top + Scaled(3), strip.right - Scaled(4), strip.bottom - Scaled(3));
}

void DrawScreenCaption(CBitmap& screen, const CRect& strip, const std::u16string& title, bool withOk) {
  CDC dc;
  dc.AttachSurface(&screen, CPoint(0, 0), strip);
  dc.FillSolidRect(strip, GetSysColor(COLOR_ACTIVECAPTION));
  dc.SelectObject(&CaptionFont());
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_CAPTIONTEXT));
  CRect text(strip.left + Scaled(6), strip.top, strip.right - (withOk ? Scaled(40) : Scaled(6)), strip.bottom);
  dc.DrawText(title.c_str(), static_cast<int>(title.size()), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  if (withOk) {
    const CRect ok = CaptionOkRect(strip);
    dc.FrameRect(ok, GetSysColor(COLOR_CAPTIONTEXT));
    CRect t = ok;
    dc.DrawText(u"ok", 2, &t, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}
