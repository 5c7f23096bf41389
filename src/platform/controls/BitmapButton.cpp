// The bitmap button: its four bitmaps from the resource module by name, taking the place of
// a template's button, and drawing the bitmap of its state.
#include "platform/controls/BitmapButton.h"

#include <string>
#include <utility>

#include "platform/controls/CommonControls.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WindowDC.h"

namespace {

bool Load(std::u16string_view name, CBitmap& out) {
  const CResourceModule* module = AfxGetResourceHandle();
  CBitmap loaded;
  if (name.empty() || !module || !module->LoadBitmap(std::u16string(name), loaded)) return false;
  out = std::move(loaded);
  return true;
}

}  // namespace

bool CBitmapButton::LoadBitmaps(std::u16string_view upName, std::u16string_view downName,
                                std::u16string_view focusedName, std::u16string_view disabledName) {
  CBitmap first;
  if (!Load(upName, first)) return false;
  up = std::move(first);
  for (auto [name, slot] : {std::pair{downName, &down}, std::pair{focusedName, &focus}, std::pair{disabledName, &disabled}})
    if (!Load(name, *slot)) slot->DeleteObject();
  Invalidate(true);
  return true;
}

bool CBitmapButton::AutoLoad(UINT id, CWnd* parent) {
  CWnd* old = parent ? parent->GetDlgItem(id) : nullptr;
  if (!old || old == this || IsWindow()) return false;
  const std::u16string name = old->GetWindowText();
  if (!LoadBitmaps(name + u"U", name + u"D", name + u"F", name + u"X")) return false;
  CRect r = old->GetWindowRect();
  parent->ScreenToClient(r);
  const DWORD style = (old->GetStyle() & ~DWORD{BS_TYPEMASK}) | BS_OWNERDRAW;
  const LRESULT font = old->SendMessage(WM_GETFONT);
  // The template's button goes; this one answers to its id from now on.
  old->DestroyWindow();
  if (!Create(parent, r, style, id, name)) return false;
  SendMessage(WM_SETFONT, static_cast<WPARAM>(font), 0);
  SizeToContent();
  return true;
}

void CBitmapButton::SizeToContent() {
  if (!IsWindow() || up.IsEmpty()) return;
  CRect r = GetWindowRect();
  if (GetParent()) GetParent()->ScreenToClient(r);
  MoveWindow(CRect(r.left, r.top, r.left + up.GetWidth(), r.top + up.GetHeight()), true);
}

CBitmap& CBitmapButton::Current() {
  const UINT state = GetState();
  if (!IsWindowEnabled() && !disabled.IsEmpty()) return disabled;
  if ((state & BST_PUSHED) && !down.IsEmpty()) return down;
  if ((state & BST_FOCUS) && !focus.IsEmpty()) return focus;
  return up;
}

bool CBitmapButton::OnEraseBkgnd(CDC*) { return true; }  // the paint covers every pixel

void CBitmapButton::OnPaint() {
  CPaintDC dc(this);
  const CRect c = GetClientRect();
  CBitmap& bmp = Current();
  // Whatever the bitmap leaves uncovered shows the dialog behind.
  if (bmp.GetWidth() < c.Width() || bmp.GetHeight() < c.Height()) dc.FillSolidRect(c, GetSysColor(COLOR_STATIC));
  if (bmp.IsEmpty()) return;
  CDC mem;
  mem.CreateCompatibleDC(&dc);
  mem.SelectObject(&bmp);
  dc.BitBlt(0, 0, bmp.GetWidth(), bmp.GetHeight(), &mem, 0, 0, SRCCOPY);
}
