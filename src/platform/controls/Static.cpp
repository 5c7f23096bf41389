// Drawing a label: the dialog's background, the text in the alignment its style gives.
#include "platform/controls/Static.h"

#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"

std::unique_ptr<CWnd> CStatic::Make(const CREATESTRUCT& cs) {
  auto w = std::make_unique<CStatic>();
  if (!w->Create(cs.parent, cs.rect, cs.style, cs.id, cs.text)) return nullptr;
  return w;
}

COLORREF CStatic::GetBackgroundColor() const { return GetSysColor(COLOR_STATIC); }

bool CStatic::OnEraseBkgnd(CDC* dc) {
  // The paint fills the whole label; erasing first would only flicker.
  (void)dc;
  return true;
}

void CStatic::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  dc.FillSolidRect(c, GetBackgroundColor());
  SelectFont(dc);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_STATICTEXT : COLOR_GRAYTEXT));
  const DWORD s = GetStyle();
  UINT format = DT_NOPREFIX;
  switch (s & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: format |= DT_LEFT | DT_SINGLELINE; break;
    default: format |= DT_LEFT | DT_WORDBREAK; break;
  }
  const std::u16string text = (s & SS_NOPREFIX) ? GetWindowText() : plat::ui::WithoutMnemonics(GetWindowText());
  CRect r = c;
  if (s & SS_CENTERIMAGE) {
    // Centred as a block: measure the wrapped height first.
    CRect calc = c;
    const int h = dc.DrawText(text.c_str(), static_cast<int>(text.size()), &calc, format | DT_CALCRECT);
    r.top = c.top + (c.Height() - h) / 2;
  }
  dc.DrawText(text.c_str(), static_cast<int>(text.size()), &r, format);
}
