// CWnd: creation, geometry, invalidation, messages and default handling.
#include "platform/ui/Wnd.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/ScrollBarState.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowManager.h"

namespace {

CRect Intersect(const CRect& a, const CRect& b) {
  CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
  if (r.IsRectEmpty()) return CRect();
  return r;
}

CRect Union(const CRect& a, const CRect& b) {
  if (a.IsRectEmpty()) return b;
  if (b.IsRectEmpty()) return a;
  return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
}

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() { DestroyWindow(); }

bool CWnd::Create(CWnd* parentWnd, const CRect& rect, DWORD wndStyle, UINT id, std::u16string_view wndText,
                  DWORD clsStyle) {
  auto& wm = CWindowManager::Get();
  if (created || !wm.IsStarted()) return false;
  style = wndStyle;
  classStyle = clsStyle;
  ctrlId = id;
  text = wndText;
  const bool topLevel = parentWnd == nullptr || (wndStyle & WS_POPUP);
  if (topLevel) {
    windowRect = rect;
    layer = std::make_unique<CBitmap>();
    if (!layer->Create(std::max(1, rect.Width()), std::max(1, rect.Height()))) return false;
    parent = parentWnd && (wndStyle & WS_POPUP) ? parentWnd : nullptr;
    owner = parentWnd;
  } else {
    parent = parentWnd;
    CRect pc = parent->GetClientRectOnScreen();
    windowRect = CRect(pc.left + rect.left, pc.top + rect.top, pc.left + rect.right, pc.top + rect.bottom);
  }
  if (style & WS_VSCROLL) bars[SB_VERT] = std::make_unique<ScrollBarState>();
  if (style & WS_HSCROLL) bars[SB_HORZ] = std::make_unique<ScrollBarState>();
  created = true;
  if (topLevel) {
    wm.AddTopLevel(this);
    parent = nullptr;
  } else {
    parent->AddChild(this);
  }
  if (SendMessage(WM_CREATE) == -1) {
    DestroyWindow();
    return false;
  }
  const CRect c = GetClientRect();
  SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.Width(), c.Height()));
  Invalidate(true);
  return true;
}

void CWnd::DestroyWindow() {
  if (!created) return;
  auto& wm = CWindowManager::Get();
  // Children go first, as the handheld destroys them.
  while (!children.empty()) children.back()->DestroyWindow();
  SendMessage(WM_DESTROY);
  created = false;
  if (parent) parent->RemoveChild(this);
  wm.MarkDirty(windowRect);
  wm.RemoveWindow(this);
  layer.reset();
  bars[0].reset();
  bars[1].reset();
}

CWnd* CWnd::GetTopLevel() {
  CWnd* w = this;
  while (w->parent) w = w->parent;
  return w;
}

CWnd* CWnd::GetDlgItem(UINT id) const {
  for (CWnd* c : children)
    if (c->ctrlId == id) return c;
  for (CWnd* c : children)
    if (CWnd* found = c->GetDlgItem(id)) return found;
  return nullptr;
}

void CWnd::ModifyStyle(DWORD remove, DWORD add) {
  const DWORD old = style;
  style = (style & ~remove) | add;
  if ((old ^ style) & (WS_VSCROLL | WS_HSCROLL)) {
    if ((style & WS_VSCROLL) && !bars[SB_VERT]) bars[SB_VERT] = std::make_unique<ScrollBarState>();
    if ((style & WS_HSCROLL) && !bars[SB_HORZ]) bars[SB_HORZ] = std::make_unique<ScrollBarState>();
    if (!(style & WS_VSCROLL)) bars[SB_VERT].reset();
    if (!(style & WS_HSCROLL)) bars[SB_HORZ].reset();
    const CRect c = GetClientRect();
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.Width(), c.Height()));
  }
  if (created) {
    CWindowManager::Get().MarkDirty(windowRect);
    Invalidate(true);
  }
}

void CWnd::AddChild(CWnd* child) { children.push_back(child); }

void CWnd::RemoveChild(CWnd* child) {
  auto it = std::find(children.begin(), children.end(), child);
  if (it != children.end()) children.erase(it);
}

int CWnd::ScrollBarSize() const { return 13 * plat::gfx::GetLogicalDpi() / 96; }

CRect CWnd::GetClientRectOnScreen() const {
  CRect r = windowRect;
  if (HasBorder()) r = CRect(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
  if (bars[SB_VERT]) r.right -= ScrollBarSize();
  if (bars[SB_HORZ]) r.bottom -= ScrollBarSize();
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void CWnd::GetClientRect(CRect& rect) const { rect = GetClientRect(); }

CRect CWnd::GetClientRect() const {
  const CRect s = GetClientRectOnScreen();
  return CRect(0, 0, s.Width(), s.Height());
}

CRect CWnd::ScrollBarRect(int bar) const {
  const CRect c = GetClientRectOnScreen();
  const int size = ScrollBarSize();
  if (bar == SB_VERT) return CRect(c.right, c.top, c.right + size, c.bottom);
  return CRect(c.left, c.bottom, c.right, c.bottom + size);
}

void CWnd::ClientToScreen(CPoint& p) const {
  const CRect c = GetClientRectOnScreen();
  p.x += c.left;
  p.y += c.top;
}

void CWnd::ScreenToClient(CPoint& p) const {
  const CRect c = GetClientRectOnScreen();
  p.x -= c.left;
  p.y -= c.top;
}

void CWnd::ClientToScreen(CRect& r) const {
  const CRect c = GetClientRectOnScreen();
  r = CRect(r.left + c.left, r.top + c.top, r.right + c.left, r.bottom + c.top);
}

void CWnd::ScreenToClient(CRect& r) const {
  const CRect c = GetClientRectOnScreen();
  r = CRect(r.left - c.left, r.top - c.top, r.right - c.left, r.bottom - c.top);
}

void CWnd::PlaceChildren(int dx, int dy) {
  for (CWnd* c : children) {
    c->windowRect = CRect(c->windowRect.left + dx, c->windowRect.top + dy, c->windowRect.right + dx, c->windowRect.bottom + dy);
    c->PlaceChildren(dx, dy);
  }
}

void CWnd::MoveWindow(const CRect& rect, bool repaint) {
  auto& wm = CWindowManager::Get();
  CRect screenRect = rect;
  if (parent) {
    const CRect pc = parent->GetClientRectOnScreen();
    screenRect = CRect(pc.left + rect.left, pc.top + rect.top, pc.left + rect.right, pc.top + rect.bottom);
  }
  const CRect old = windowRect;
  const bool resized = old.Width() != screenRect.Width() || old.Height() != screenRect.Height();
  windowRect = screenRect;
  if (layer && resized) layer->Create(std::max(1, screenRect.Width()), std::max(1, screenRect.Height()));
  PlaceChildren(screenRect.left - old.left, screenRect.top - old.top);
  wm.MarkDirty(old);
  wm.MarkDirty(windowRect);
  if (resized && created) {
    const CRect c = GetClientRect();
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.Width(), c.Height()));
  }
  if (repaint || layer) Invalidate(true);
  if (parent && repaint) parent->Invalidate(true);
}

void CWnd::ShowWindow(int cmd) {
  const bool show = cmd != SW_HIDE;
  if (show == static_cast<bool>(style & WS_VISIBLE)) return;
  style = show ? (style | WS_VISIBLE) : (style & ~WS_VISIBLE);
  CWindowManager::Get().MarkDirty(windowRect);
  if (show) {
    Invalidate(true);
    if (layer) CWindowManager::Get().MarkCaptionDirty();
  } else {
    // The focus leaves a hidden window, and anything inside it, for the nearest visible parent.
    CWnd* f = CWnd::GetFocus();
    bool inside = false;
    for (CWnd* w = f; w; w = w->parent)
      if (w == this) inside = true;
    if (inside) {
      CWnd* p = parent;
      while (p && !p->IsWindowVisible()) p = p->parent;
      if (p) p->SetFocus();
    }
    if (parent) parent->InvalidateRect(nullptr, true);
    if (layer) CWindowManager::Get().MarkCaptionDirty();
  }
}

bool CWnd::IsWindowVisible() const {
  for (const CWnd* w = this; w; w = w->parent)
    if (!w->created || !(w->style & WS_VISIBLE)) return false;
  return true;
}

void CWnd::EnableWindow(bool enable) {
  const DWORD old = style;
  style = enable ? (style & ~WS_DISABLED) : (style | WS_DISABLED);
  if (old != style) {
    Invalidate(true);
    SendMessage(WM_ENABLE, enable ? 1 : 0);
  }
}

void CWnd::SetWindowText(std::u16string_view t) {
  text = t;
  Invalidate(true);
  if (layer) CWindowManager::Get().MarkDirty(CRect(0, 0, CWindowManager::Get().GetScreenSize().cx, CWindowManager::Get().GetCaptionHeight()));
}

void CWnd::Invalidate(bool erase) { InvalidateRect(nullptr, erase); }

void CWnd::InvalidateRect(const CRect* rect, bool erase) {
  if (!created) return;
  const CRect all = GetClientRect();
  const CRect r = rect ? Intersect(*rect, all) : all;
  if (!rect) ncDirty = true;
  if (r.IsRectEmpty()) return;
  invalid = Union(invalid, r);
  eraseWanted = eraseWanted || erase;
}

void CWnd::ValidateRect(const CRect* rect) {
  if (!rect) {
    invalid = CRect();
    eraseWanted = false;
    return;
  }
  // Only a rectangle that covers the whole invalid band clears it.
  if (rect->left <= invalid.left && rect->top <= invalid.top && rect->right >= invalid.right && rect->bottom >= invalid.bottom)
    invalid = CRect();
}

bool CWnd::GetUpdateRect(CRect& rect) const {
  rect = invalid;
  return !invalid.IsRectEmpty();
}

void CWnd::UpdateWindow() {
  if (!created || redrawOff || !IsWindowVisible()) return;
  if (ncDirty) DrawNonClient();
  if (!invalid.IsRectEmpty()) SendMessage(WM_PAINT);
}

void CWnd::SetRedraw(bool on) {
  // A window not made yet takes no messages; it keeps the state for when it is.
  if (!created) {
    CWnd::OnSetRedraw(on);
    return;
  }
  SendMessage(WM_SETREDRAW, on ? 1 : 0, 0);
}

void CWnd::OnSetRedraw(bool on) {
  if (redrawOff == !on) return;
  redrawOff = !on;
  if (on) Invalidate(true);
}

void CWnd::ScrollWindow(int dx, int dy, const CRect* scrollRect, const CRect* clipRect) {
  if (!created || (dx == 0 && dy == 0)) return;
  // The caret moves with the text under it, however the move is drawn.
  auto& wm = CWindowManager::Get();
  if (wm.GetCaretOwner() == this) wm.SetCaretPos(CPoint(wm.GetCaretPos().x + dx, wm.GetCaretPos().y + dy));
  if (redrawOff) {
    Invalidate(false);
    return;
  }
  CRect area = scrollRect ? Intersect(*scrollRect, GetClientRect()) : GetClientRect();
  if (clipRect) area = Intersect(area, *clipRect);
  if (area.IsRectEmpty()) return;
  if (std::abs(dx) >= area.Width() || std::abs(dy) >= area.Height()) {
    InvalidateRect(&area, false);
    return;
  }
  // Move the pixels inside the top-level's layer, then invalidate the strip uncovered.
  CWnd* top = GetTopLevel();
  CBitmap* bmp = top->layer.get();
  if (bmp && IsWindowVisible()) {
    CRect s = area;
    ClientToScreen(s);
    const int ox = top->windowRect.left, oy = top->windowRect.top;
    s = CRect(s.left - ox, s.top - oy, s.right - ox, s.bottom - oy);
    s = Intersect(s, CRect(0, 0, bmp->GetWidth(), bmp->GetHeight()));
    const int w = s.Width() - std::abs(dx), h = s.Height() - std::abs(dy);
    if (w > 0 && h > 0) {
      const int srcX = dx >= 0 ? s.left : s.left - dx, dstX = dx >= 0 ? s.left + dx : s.left;
      // Rows are walked against the direction of the move so a row is read before it is
      // overwritten; memmove copes with the overlap inside a row.
      if (dy > 0) {
        for (int y = h - 1; y >= 0; --y)
          std::memmove(bmp->Row(s.top + y + dy) + dstX, bmp->Row(s.top + y) + srcX, static_cast<std::size_t>(w) * 4);
      } else {
        const int up = -dy;
        for (int y = 0; y < h; ++y)
          std::memmove(bmp->Row(s.top + y) + dstX, bmp->Row(s.top + y + up) + srcX, static_cast<std::size_t>(w) * 4);
      }
    }
    CRect screenArea = area;
    ClientToScreen(screenArea);
    CWindowManager::Get().MarkDirty(screenArea);
  }
  // A pending invalid band moves with the contents.
  if (!invalid.IsRectEmpty()) {
    CRect moved(invalid.left + dx, invalid.top + dy, invalid.right + dx, invalid.bottom + dy);
    invalid = Union(Intersect(moved, GetClientRect()), invalid);
  }
  CRect uncovered;
  if (dy > 0) uncovered = CRect(area.left, area.top, area.right, area.top + dy);
  if (dy < 0) uncovered = CRect(area.left, area.bottom + dy, area.right, area.bottom);
  if (!uncovered.IsRectEmpty()) InvalidateRect(&uncovered, false);
  if (dx > 0) uncovered = CRect(area.left, area.top, area.left + dx, area.bottom);
  if (dx < 0) uncovered = CRect(area.right + dx, area.top, area.right, area.bottom);
  if (dx != 0) InvalidateRect(&uncovered, false);
}

CWnd* CWnd::SetFocus() { return CWindowManager::Get().SetFocus(this); }
CWnd* CWnd::GetFocus() { return CWindowManager::Get().GetFocus(); }
CWnd* CWnd::SetCapture() {
  CWnd* old = CWindowManager::Get().GetCapture();
  CWindowManager::Get().SetCapture(this);
  return old;
}
bool CWnd::ReleaseCapture() { return CWindowManager::Get().ReleaseCapture(); }
CWnd* CWnd::GetCapture() { return CWindowManager::Get().GetCapture(); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT periodMs) {
  CWindowManager::Get().SetTimer(this, id, periodMs);
  return id;
}
bool CWnd::KillTimer(UINT_PTR id) { return CWindowManager::Get().KillTimer(this, id); }

void CWnd::CreateSolidCaret(int width, int height) { CWindowManager::Get().CreateCaret(this, width, height); }
void CWnd::DestroyCaret() { CWindowManager::Get().DestroyCaret(); }
void CWnd::ShowCaret() { CWindowManager::Get().ShowCaret(this); }
void CWnd::HideCaret() { CWindowManager::Get().HideCaret(this); }
void CWnd::SetCaretPos(CPoint p) { CWindowManager::Get().SetCaretPos(p); }
CPoint CWnd::GetCaretPos() { return CWindowManager::Get().GetCaretPos(); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!created && message != WM_DESTROY) return 0;
  const MSG saved = current;
  current = MSG{this, message, wParam, lParam};
  const LRESULT r = WindowProc(message, wParam, lParam);
  current = saved;
  return r;
}

void CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  CWindowManager::Get().Post(MSG{this, message, wParam, lParam});
}

bool CWnd::PreTranslateMessage(MSG* msg) {
  (void)msg;
  return false;
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  (void)lParam;
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (code != 0) {
    // A control's notification (EN_CHANGE and the like) goes up with its code; it is no
    // command to enable or disable.
    for (CWnd* w = this; w; w = w->parent ? w->parent : w->owner)
      if (w->OnCmdMsg(id, static_cast<int>(code), nullptr)) return true;
    return false;
  }
  // A command its update handler disables is ignored, from a key as from a menu.
  CCmdUI state(id);
  for (CWnd* w = this; w; w = w->parent ? w->parent : w->owner)
    if (w->OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &state)) break;
  if (!state.enabled) return true;
  for (CWnd* w = this; w; w = w->parent ? w->parent : w->owner)
    if (w->OnCmdMsg(id, CN_COMMAND, nullptr)) return true;
  return false;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const CPoint pt = PointFromLParam(lParam);
  switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)), HIWORD(static_cast<std::uintptr_t>(lParam))); return 0;
    case WM_SETFOCUS: OnSetFocus(reinterpret_cast<CWnd*>(wParam)); return 0;
    case WM_KILLFOCUS: OnKillFocus(reinterpret_cast<CWnd*>(wParam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_SETREDRAW: OnSetRedraw(wParam != 0); return 0;
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam)) ? 1 : 0;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), 1, 0); return 0;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), 1, 0); return 0;
    case WM_SYSKEYDOWN: OnSysKeyDown(static_cast<UINT>(wParam), 1, 0); return 0;
    case WM_CHAR: OnChar(static_cast<UINT>(wParam), 1, 0); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), pt); return 0;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), pt); return 0;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), pt); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_VSCROLL: OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CWnd*>(lParam)); return 0;
    case WM_HSCROLL: OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CWnd*>(lParam)); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<CWnd*>(lParam)); return 0;
    case WM_COMMAND: return OnCommand(wParam, lParam) ? 0 : 1;
    case WM_CLOSE: OnClose(); return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      return OnNotify(wParam, lParam, &result) ? result : 0;
    }
    default: return 0;
  }
}

LRESULT CWnd::Default() {
  switch (current.message) {
    case WM_ERASEBKGND: return CWnd::OnEraseBkgnd(reinterpret_cast<CDC*>(current.wParam)) ? 1 : 0;
    case WM_PAINT: CWnd::OnPaint(); return 0;
    default: return 0;
  }
}

void CWnd::OnPaint() {
  CPaintDC dc(this);  // validates; the erase (if wanted) ran in its constructor
}

bool CWnd::OnEraseBkgnd(CDC* dc) {
  if (!dc) return false;
  dc->FillSolidRect(GetClientRect(), GetBackgroundColor());
  return true;
}

COLORREF CWnd::GetBackgroundColor() const { return GetSysColor(COLOR_WINDOW); }

void CWnd::OnClose() {
  // A top-level window that closes ends the program, as the main window does.
  if (layer && !parent) CWindowManager::Get().PostQuitMessage(0);
}

void CWnd::OnKeyDown(UINT, UINT, UINT) {}
void CWnd::OnKeyUp(UINT, UINT, UINT) {}
void CWnd::OnChar(UINT, UINT, UINT) {}
void CWnd::OnSysKeyDown(UINT, UINT, UINT) {}
void CWnd::OnLButtonDown(UINT, CPoint) {}
void CWnd::OnLButtonUp(UINT, CPoint) {}
void CWnd::OnLButtonDblClk(UINT, CPoint) {}
void CWnd::OnMouseMove(UINT, CPoint) {}
void CWnd::OnVScroll(UINT, UINT, CWnd*) {}
void CWnd::OnHScroll(UINT, UINT, CWnd*) {}

short GetKeyState(int vk) {
  auto& wm = CWindowManager::Get();
  if (!wm.IsStarted()) return 0;
  if (vk == VK_LBUTTON) return wm.IsPenDown() ? static_cast<short>(0x8000) : 0;
  return wm.Backend().IsKeyDown(static_cast<UINT>(vk)) ? static_cast<short>(0x8000) : 0;
}
