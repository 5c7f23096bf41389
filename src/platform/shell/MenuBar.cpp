// The menu bar: its buttons from the definition, layout, pen input, toolbar messages, its owners.
#include "platform/shell/MenuBar.h"

#include <algorithm>
#include <utility>

#include "platform/gfx/DC.h"
#include "platform/gfx/Dpi.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowManager.h"

namespace {

int Scaled(int px96) {
  return px96 * plat::gfx::GetLogicalDpi() / 96;
}

// The bars and the windows they belong to. A bar's owner pointer is only followed while
// that window is still one of the screen's windows.
struct BarEntry {
  CWnd* parent;
  std::unique_ptr<CMenuBar> bar;
};
std::vector<BarEntry>& Bars() {
  static std::vector<BarEntry> bars;
  return bars;
}

// Bars taken away while they were busy (a command chosen from a bar may close the frame
// and with it the bar): their windows are gone, the objects wait until they are free.
std::vector<std::unique_ptr<CMenuBar>>& Retired() {
  static std::vector<std::unique_ptr<CMenuBar>> retired;
  return retired;
}

void Sweep() {
  auto& r = Retired();
  r.erase(std::remove_if(r.begin(), r.end(), [](const std::unique_ptr<CMenuBar>& b) { return !b->IsBusy(); }),
          r.end());
}

// Retires the bars of parent and those whose windows are gone.
void Retire(CWnd* parent) {
  auto& bars = Bars();
  for (auto it = bars.begin(); it != bars.end();) {
    if (it->parent == parent || !it->bar->IsWindow()) {
      it->bar->DestroyWindow();
      Retired().push_back(std::move(it->bar));
      it = bars.erase(it);
    } else {
      ++it;
    }
  }
  Sweep();
}

// The bar drawn in the strip: the newest one whose window lives.
CMenuBar* ShownBar() {
  auto& bars = Bars();
  for (auto it = bars.rbegin(); it != bars.rend(); ++it)
    if (it->bar->IsWindow()) return it->bar.get();
  return nullptr;
}

void DrawStrip(CBitmap& screen, const CRect& strip) {
  CDC dc;
  dc.AttachSurface(&screen, CPoint(0, 0), strip);
  if (CMenuBar* bar = ShownBar()) {
    bar->DrawBar(dc, strip);
    return;
  }
  dc.FillSolidRect(strip, RGB(28, 30, 35));
}

CRect StripRect() {
  auto& wm = CWindowManager::Get();
  const CSize s = wm.GetScreenSize();
  return CRect(0, s.cy - wm.GetMenuBarHeight(), s.cx, s.cy);
}

}  // namespace

bool IsHighResolutionScreen(int width, int height) {
  if (width < height) return width > 400;
  if (width > height) return width >= 601;
  return false;
}

bool SHCreateMenuBar(SHMENUBARINFO* info) {
  if (!info || !info->hwndParent || !info->hwndParent->IsWindow()) return false;
  const CResourceModule* module = info->hInstRes ? info->hInstRes : AfxGetResourceHandle();
  auto bar = std::make_unique<CMenuBar>();
  if (!bar->CreateBar(info->hwndParent, module, info->nToolBarId)) return false;
  SHDestroyMenuBar(info->hwndParent);
  info->hwndMB = bar.get();
  Bars().push_back(BarEntry{info->hwndParent, std::move(bar)});
  auto& wm = CWindowManager::Get();
  wm.drawMenuBar = DrawStrip;
  wm.MarkDirty(StripRect());
  return true;
}

CMenuBar* SHFindMenuBar(CWnd* parent) {
  // Bars whose windows went with the screen are dropped here, so that a new window at a
  // reused address never finds an old bar.
  Retire(nullptr);
  for (auto& e : Bars())
    if (e.parent == parent) return e.bar.get();
  return nullptr;
}

void SHDestroyMenuBar(CWnd* parent) {
  Retire(parent);
  auto& wm = CWindowManager::Get();
  if (Bars().empty()) wm.drawMenuBar = nullptr;
  if (wm.IsStarted()) wm.MarkDirty(StripRect());
}

CMenuBar::CMenuBar() = default;
CMenuBar::~CMenuBar() {
  DestroyWindow();
}

bool CMenuBar::CreateBar(CWnd* owner, const CResourceModule* module, UINT menuBarId) {
  const MenuBarTemplate* def = module ? module->FindMenuBar(menuBarId) : nullptr;
  if (!def || !menu.LoadMenu(module, def->menuId)) return false;
  for (const auto& b : def->buttons) {
    Button button;
    button.command = b.command;
    button.label = module->LoadString(b.labelString);
    button.popupIndex = b.popup;
    // Each pop-up is taken once and kept, so that changes made to it before it opens
    // (the recent files, the tools) stay with it as they stay with the handheld's menu.
    button.popup = b.popup >= 0 ? menu.GetSubMenu(b.popup) : nullptr;
    buttons.push_back(std::move(button));
  }
  if (!Create(owner, StripRect(), WS_POPUP | WS_VISIBLE)) return false;
  Layout();
  return true;
}

bool CMenuBar::AddButtons(const CResourceModule* module, UINT toolBarId) {
  const ToolBarTemplate* def = module ? module->FindToolBar(toolBarId) : nullptr;
  if (!def || def->imageWidth <= 0 || def->imageHeight <= 0 || !def->drawImages) return false;
  CBitmap strip;
  def->drawImages(strip);
  if (strip.IsEmpty()) return false;
  images = std::move(strip);
  imageSize = CSize{def->imageWidth, def->imageHeight};
  int image = 0;
  for (UINT command : def->commands) {
    Button button;
    button.command = command;
    button.separator = command == 0;
    if (!button.separator) button.image = image++;
    buttons.push_back(std::move(button));
  }
  Layout();
  Invalidate(true);
  return true;
}

void CMenuBar::Reposition() {
  if (!IsWindow()) return;
  const CRect strip = StripRect();
  if (GetWindowRect() != strip) MoveWindow(strip, true);
  Layout();
  Invalidate(true);
}

void CMenuBar::Layout() {
  const CRect client = GetClientRect();
  const int pad = Scaled(8);
  int x = 0;
  CClientDC dc(this);
  for (auto& b : buttons) {
    if (b.separator) {
      const int w = Scaled(6);
      b.rect = CRect(x, client.top, x + w, client.bottom);
      x += w;
    } else if (b.image >= 0) {
      // The image plus 7 pixels each way, centred in the bar's height.
      const int w = imageSize.cx + 7, h = imageSize.cy + 7;
      const int top = client.top + std::max(0, (client.Height() - h) / 2);
      b.rect = CRect(x, top, x + w, top + h);
      x += w;
    } else {
      dc.SelectObject(&MenuBarFont());
      const int w = dc.GetTextExtent(b.label).cx + 2 * pad;
      b.rect = CRect(x, client.top, x + w, client.bottom);
      x += w;
    }
  }
}

int CMenuBar::FindButton(UINT command) const {
  for (int i = 0; i < GetButtonCount(); ++i)
    if (!buttons[static_cast<std::size_t>(i)].separator && buttons[static_cast<std::size_t>(i)].command == command)
      return i;
  return -1;
}

bool CMenuBar::EnableButton(UINT command, bool enable) {
  const int i = FindButton(command);
  if (i < 0) return false;
  Button& b = buttons[static_cast<std::size_t>(i)];
  if (b.enabled != enable) {
    b.enabled = enable;
    if (!enable && pressedButton == i) pressedButton = -1;
    InvalidateRect(&b.rect, true);
  }
  return true;
}

bool CMenuBar::IsButtonEnabled(UINT command) const {
  const int i = FindButton(command);
  return i >= 0 && buttons[static_cast<std::size_t>(i)].enabled;
}

CRect CMenuBar::GetButtonRectOnScreen(int index) const {
  if (index < 0 || index >= GetButtonCount()) return CRect();
  CRect r = buttons[static_cast<std::size_t>(index)].rect;
  if (r.right > GetClientRect().right) return CRect();
  ClientToScreen(r);
  return r;
}

CMenu* CMenuBar::GetPopup(int n) {
  for (auto& b : buttons)
    if (b.popup && n-- == 0) return b.popup;
  return nullptr;
}

CWnd* CMenuBar::LiveOwner() const {
  CWnd* owner = GetOwner();
  if (!owner) return nullptr;
  const auto& tops = CWindowManager::Get().GetTopLevels();
  return std::find(tops.begin(), tops.end(), owner) != tops.end() ? owner : nullptr;
}

void CMenuBar::TrackButton(int index) {
  if (index < 0 || index >= GetButtonCount()) return;
  const BusyScope busy(*this);
  Button& b = buttons[static_cast<std::size_t>(index)];
  CWnd* owner = LiveOwner();
  if (!b.popup || !owner) return;
  openButton = index;
  InvalidateRect(&b.rect, true);
  owner->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(b.popup), MAKELPARAM(b.popupIndex, 0));
  const CRect r = GetButtonRectOnScreen(index);
  // Bottom-aligned at the top of the bar: the pop-up opens upwards, as on the handheld.
  b.popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_BOTTOMALIGN, r.left, GetWindowRect().top, owner);
  if (!IsWindow()) return;
  openButton = -1;
  InvalidateRect(&b.rect, true);
}

int CMenuBar::HitTest(CPoint p) const {
  const int width = GetClientRect().right;
  for (int i = 0; i < GetButtonCount(); ++i) {
    const Button& b = buttons[static_cast<std::size_t>(i)];
    if (!b.separator && b.rect.right <= width && b.rect.PtInRect(p)) return i;
  }
  return -1;
}

LRESULT CMenuBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const BusyScope busy(*this);
  switch (message) {
    case TB_ENABLEBUTTON:
      return EnableButton(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)) != 0);
    case TB_ISBUTTONENABLED:
      return IsButtonEnabled(static_cast<UINT>(wParam)) ? 1 : 0;
    case TB_BUTTONCOUNT:
      return GetButtonCount();
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}

void CMenuBar::OnPaint() {
  CPaintDC dc(this);
  DrawBar(dc, GetClientRect());
}

bool CMenuBar::OnEraseBkgnd(CDC*) {
  return true;
}  // DrawBar covers every pixel

void CMenuBar::OnLButtonDown(UINT, CPoint p) {
  const int i = HitTest(p);
  if (i < 0) return;
  const Button& b = buttons[static_cast<std::size_t>(i)];
  if (b.popup) {
    TrackButton(i);  // menus open at the touch, as the handheld's do
    return;
  }
  if (!b.enabled) return;
  pressedButton = i;
  pressedInside = true;
  SetCapture();
  InvalidateRect(&b.rect, true);
}

void CMenuBar::OnMouseMove(UINT, CPoint p) {
  if (pressedButton < 0) return;
  const bool inside = HitTest(p) == pressedButton;
  if (inside == pressedInside) return;
  pressedInside = inside;
  InvalidateRect(&buttons[static_cast<std::size_t>(pressedButton)].rect, true);
}

void CMenuBar::OnLButtonUp(UINT, CPoint p) {
  if (pressedButton < 0) return;
  const int i = pressedButton;
  pressedButton = -1;
  if (GetCapture() == this) ReleaseCapture();
  const Button& b = buttons[static_cast<std::size_t>(i)];
  InvalidateRect(&b.rect, true);
  // The command goes only when the pen is lifted on the button it pressed, still enabled.
  if (HitTest(p) != i || !b.enabled) return;
  if (CWnd* owner = LiveOwner()) owner->SendMessage(WM_COMMAND, b.command, 0);
}

void CMenuBar::OnClose() {
  // Closing the host window reaches the topmost window, which may be this bar: the frame
  // below decides (it may ask to save first).
  if (CWnd* owner = LiveOwner())
    owner->SendMessage(WM_CLOSE);
  else
    CWnd::OnClose();
}

void CMenuBar::OnDestroy() {
  pressedButton = -1;
  openButton = -1;
}
