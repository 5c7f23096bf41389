// The shared part of the controls, and the theme helpers they draw with.
#include "platform/controls/Control.h"

#include "platform/gfx/DC.h"
#include "platform/ui/WindowManager.h"

namespace plat::ui {

void DrawFocusRect(CDC& dc, const CRect& r, COLORREF dot) {
  if (r.IsRectEmpty()) return;
  // Every other pixel, walked once around the rectangle so the dots continue across the
  // corners.
  int step = 0;
  auto plot = [&](int x, int y) {
    if ((step++ & 1) == 0) dc.SetPixel(x, y, dot);
  };
  for (int x = r.left; x < r.right - 1; ++x) plot(x, r.top);
  for (int y = r.top; y < r.bottom - 1; ++y) plot(r.right - 1, y);
  for (int x = r.right - 1; x > r.left; --x) plot(x, r.bottom - 1);
  for (int y = r.bottom - 1; y > r.top; --y) plot(r.left, y);
}

std::u16string WithoutMnemonics(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) ++i;  // "&&" gives '&', "&x" gives 'x'
    out.push_back(text[i]);
  }
  return out;
}

}  // namespace plat::ui

void CControl::SetFont(CFont* f, bool redraw) {
  font = f;
  if (redraw) Invalidate(true);
}

LRESULT CControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFONT:
      SetFont(reinterpret_cast<CFont*>(wParam), lParam != 0);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font);
    case WM_SETTEXT: {
      const auto* p = reinterpret_cast<const char16_t*>(lParam);
      OnSetText(p ? std::u16string_view(p) : std::u16string_view());
      return 1;
    }
    case WM_GETDLGCODE: return static_cast<LRESULT>(OnGetDlgCode());
    default: return CWnd::WindowProc(message, wParam, lParam);
  }
}

void CControl::NotifyParent(UINT code) {
  if (CWnd* p = GetParent()) p->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), code), reinterpret_cast<LPARAM>(this));
}

void CControl::SelectFont(CDC& dc) const {
  if (font) dc.SelectObject(font);
}

bool CControl::HasFocus() const { return CWnd::GetFocus() == this; }
