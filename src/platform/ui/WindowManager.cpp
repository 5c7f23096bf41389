// The handheld screen: layers, input dispatch, timers, the message loop and composition.
#include "platform/ui/WindowManager.h"

#include <algorithm>
#include <cstdlib>

#include "platform/base/MessageBox.h"
#include "platform/gfx/Dpi.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/Caption.h"
#include "platform/ui/ScrollBars.h"
#include "platform/ui/Wnd.h"

namespace {

CRect Intersect(const CRect& a, const CRect& b) {
  CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
  return r.IsRectEmpty() ? CRect() : r;
}

CRect Union(const CRect& a, const CRect& b) {
  if (a.IsRectEmpty()) return b;
  if (b.IsRectEmpty()) return a;
  return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom));
}

constexpr UINT kDoubleClickMs = 500;
constexpr UINT kCaretBlinkMs = 530;

bool IsAncestor(const CWnd* ancestor, const CWnd* w) {
  for (; w; w = w->GetParent() ? w->GetParent() : w->GetOwner())
    if (w == ancestor) return true;
  return false;
}

}  // namespace

CWindowManager& CWindowManager::Get() {
  static CWindowManager manager;
  return manager;
}

void CWindowManager::Start(std::unique_ptr<IBackend> b, int width, int height) {
  backend = std::move(b);
  width = std::clamp(width, 120, 4096);
  height = std::clamp(height, 120, 4096);
  plat::gfx::SetScreenWidthForDpi(width);
  screen.Create(width, height);
  dirty = CRect(0, 0, width, height);
  quit = false;
  if (!title.empty()) backend->SetTitle(title);
}

void CWindowManager::Shutdown() {
  while (!topLevels.empty()) {
    CWnd* w = topLevels.back();
    w->DestroyWindow();
    RemoveWindow(w);
  }
  timers.clear();
  queue.clear();
  modal.clear();
  focus = capture = caretOwner = penTarget = lastClickWnd = nullptr;
  backend.reset();
}

void CWindowManager::SetTitle(std::u16string_view name) {
  title = name;
  if (backend) backend->SetTitle(title);
}

int CWindowManager::GetCaptionHeight() const { return 26 * plat::gfx::GetLogicalDpi() / 96; }
int CWindowManager::GetMenuBarHeight() const { return 26 * plat::gfx::GetLogicalDpi() / 96; }

CRect CWindowManager::GetWorkArea() const {
  return CRect(0, GetCaptionHeight(), screen.GetWidth(), screen.GetHeight() - GetMenuBarHeight());
}

void CWindowManager::Resize(int width, int height) {
  width = std::clamp(width, 120, 4096);
  height = std::clamp(height, 120, 4096);
  if (width == screen.GetWidth() && height == screen.GetHeight()) return;
  const CRect oldWork = GetWorkArea();
  plat::gfx::SetScreenWidthForDpi(width);
  screen.Create(width, height);
  const CRect newWork = GetWorkArea();
  // Windows that filled the work area keep filling it; dialogs keep its full width.
  for (CWnd* w : std::vector<CWnd*>(topLevels)) {
    const CRect r = w->GetWindowRect();
    if (r == oldWork) {
      w->MoveWindow(newWork, true);
    } else if (r.left == oldWork.left && r.right == oldWork.right) {
      const int h = std::min(r.Height(), newWork.Height());
      const int top = std::clamp(r.top, newWork.top, newWork.bottom - h);
      w->MoveWindow(CRect(newWork.left, top, newWork.right, top + h), true);
    }
  }
  dirty = CRect(0, 0, width, height);
}

void CWindowManager::AddTopLevel(CWnd* wnd) {
  topLevels.push_back(wnd);
  MarkCaptionDirty();
}

void CWindowManager::MarkCaptionDirty() { MarkDirty(CRect(0, 0, screen.GetWidth(), GetCaptionHeight())); }

void CWindowManager::RemoveWindow(CWnd* wnd) {
  if (std::find(topLevels.begin(), topLevels.end(), wnd) != topLevels.end()) MarkCaptionDirty();
  topLevels.erase(std::remove(topLevels.begin(), topLevels.end(), wnd), topLevels.end());
  timers.erase(std::remove_if(timers.begin(), timers.end(), [wnd](const Timer& t) { return t.wnd == wnd; }), timers.end());
  queue.erase(std::remove_if(queue.begin(), queue.end(), [wnd](const MSG& m) { return m.hwnd == wnd; }), queue.end());
  if (capture == wnd) capture = nullptr;
  if (penTarget == wnd) penTarget = nullptr;
  if (lastClickWnd == wnd) lastClickWnd = nullptr;
  if (caretOwner == wnd) DestroyCaret();
  if (focus == wnd) {
    focus = nullptr;
    // The focus returns to the window below, as when a dialog closes.
    for (auto it = topLevels.rbegin(); it != topLevels.rend(); ++it)
      if ((*it)->IsWindowVisible()) {
        SetFocus(*it);
        break;
      }
  }
  for (auto& m : modal)
    if (m.window == wnd && !m.ended) {
      m.ended = true;
      m.result = plat::IDCANCEL;
    }
}

void CWindowManager::MarkDirty(const CRect& r) {
  dirty = Union(dirty, Intersect(r, CRect(0, 0, screen.GetWidth(), screen.GetHeight())));
}

void CWindowManager::BringToTop(CWnd* wnd) {
  auto it = std::find(topLevels.begin(), topLevels.end(), wnd);
  if (it == topLevels.end()) return;
  topLevels.erase(it);
  topLevels.push_back(wnd);
  MarkDirty(wnd->GetWindowRect());
}

CWnd* CWindowManager::SetFocus(CWnd* wnd) {
  CWnd* old = focus;
  if (wnd == old) return old;
  focus = wnd;
  if (old && old->IsWindow()) old->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(wnd));
  if (focus == wnd && wnd && wnd->IsWindow()) wnd->SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old));
  return old;
}

void CWindowManager::SetCapture(CWnd* wnd) {
  if (capture == wnd) return;
  CWnd* old = capture;
  capture = wnd;
  if (old && old->IsWindow()) old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(wnd));
}

bool CWindowManager::ReleaseCapture() {
  CWnd* old = capture;
  capture = nullptr;
  if (old && old->IsWindow()) old->SendMessage(WM_CAPTURECHANGED, 0, 0);
  return true;
}

void CWindowManager::SetTimer(CWnd* wnd, UINT_PTR id, UINT periodMs) {
  const std::uint64_t due = Now() + std::max<UINT>(periodMs, 1);
  for (auto& t : timers)
    if (t.wnd == wnd && t.id == id) {
      t.period = periodMs;
      t.due = due;
      return;
    }
  timers.push_back({wnd, id, periodMs, due});
}

bool CWindowManager::KillTimer(CWnd* wnd, UINT_PTR id) {
  const auto before = timers.size();
  timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.wnd == wnd && t.id == id; }),
               timers.end());
  queue.erase(std::remove_if(queue.begin(), queue.end(),
                             [&](const MSG& m) { return m.hwnd == wnd && m.message == WM_TIMER && m.wParam == id; }),
              queue.end());
  return timers.size() != before;
}

void CWindowManager::FireDueTimers() {
  const std::uint64_t now = Now();
  for (auto& t : timers) {
    if (t.due > now) continue;
    t.due = now + std::max<UINT>(t.period, 1);
    // One WM_TIMER waits at a time: a slow handler never faces a backlog.
    const bool queued = std::any_of(queue.begin(), queue.end(), [&](const MSG& m) {
      return m.hwnd == t.wnd && m.message == WM_TIMER && m.wParam == t.id;
    });
    if (!queued) queue.push_back(MSG{t.wnd, WM_TIMER, t.id, 0});
  }
  if (backend && backend->CaretBlinks() && caretOwner && now >= caretBlinkAt) {
    caretBlinkOn = !caretBlinkOn;
    caretBlinkAt = now + kCaretBlinkMs;
    MarkDirty(GetCaretRectOnScreen());
  }
}

int CWindowManager::NextTimerDelay() {
  const std::uint64_t now = Now();
  std::uint64_t next = UINT64_MAX;
  for (const auto& t : timers) next = std::min(next, t.due);
  if (backend && backend->CaretBlinks() && caretOwner) next = std::min(next, caretBlinkAt);
  if (next == UINT64_MAX) return -1;
  return next <= now ? 0 : static_cast<int>(std::min<std::uint64_t>(next - now, 1000000));
}

// --- the caret -------------------------------------------------------------------------

void CWindowManager::CreateCaret(CWnd* owner, int width, int height) {
  MarkDirty(GetCaretRectOnScreen());
  caretOwner = owner;
  caretSize = CSize{std::max(1, width), std::max(1, height)};
  caretHide = 1;  // a new caret starts hidden
  caretBlinkOn = true;
  caretBlinkAt = Now() + kCaretBlinkMs;
}

void CWindowManager::DestroyCaret() {
  MarkDirty(GetCaretRectOnScreen());
  caretOwner = nullptr;
  caretHide = 1;
}

void CWindowManager::ShowCaret(CWnd* wnd) {
  if (wnd != caretOwner || caretHide == 0) return;
  if (--caretHide == 0) {
    caretBlinkOn = true;
    caretBlinkAt = Now() + kCaretBlinkMs;
    MarkDirty(GetCaretRectOnScreen());
  }
}

void CWindowManager::HideCaret(CWnd* wnd) {
  if (wnd != caretOwner) return;
  if (caretHide++ == 0) MarkDirty(GetCaretRectOnScreen());
}

void CWindowManager::SetCaretPos(CPoint p) {
  if (p == caretPos) return;
  MarkDirty(GetCaretRectOnScreen());
  caretPos = p;
  caretBlinkOn = true;
  caretBlinkAt = Now() + kCaretBlinkMs;
  MarkDirty(GetCaretRectOnScreen());
}

bool CWindowManager::IsCaretVisible() const {
  return caretOwner && caretHide == 0 && caretOwner->IsWindowVisible();
}

CRect CWindowManager::GetCaretRectOnScreen() const {
  if (!caretOwner || !caretOwner->IsWindow()) return CRect();
  CRect r(caretPos.x, caretPos.y, caretPos.x + caretSize.cx, caretPos.y + caretSize.cy);
  caretOwner->ClientToScreen(r);
  return Intersect(r, caretOwner->GetClientRectOnScreen());
}

void CWindowManager::BeginWaitCursor() {
  if (waitCount++ == 0 && backend) backend->SetWaitCursor(true);
}

void CWindowManager::EndWaitCursor() {
  if (waitCount > 0 && --waitCount == 0 && backend) backend->SetWaitCursor(false);
}

// --- input -----------------------------------------------------------------------------

CWnd* CWindowManager::WindowFromPoint(CPoint p) const {
  // A modal window takes all input: only it and what it owns may be hit.
  const CWnd* modalWnd = GetModalWindow();
  for (auto it = topLevels.rbegin(); it != topLevels.rend(); ++it) {
    CWnd* top = *it;
    if (!top->IsWindowVisible() || !top->GetWindowRect().PtInRect(p)) continue;
    if (modalWnd && !IsAncestor(modalWnd, top)) return nullptr;
    CWnd* hit = top;
    for (bool descended = true; descended;) {
      descended = false;
      const auto& kids = hit->GetChildren();
      for (auto c = kids.rbegin(); c != kids.rend(); ++c)
        if ((*c)->IsWindowVisible() && (*c)->GetWindowRect().PtInRect(p)) {
          hit = *c;
          descended = true;
          break;
        }
    }
    return hit->IsWindowEnabled() ? hit : nullptr;
  }
  return nullptr;
}

void CWindowManager::Dispatch(const UiEvent& e) {
  switch (e.kind) {
    case UiEvent::Kind::KeyDown: DispatchKey(e); break;
    case UiEvent::Kind::KeyUp:
      suppressText = false;  // the text a translated key would type comes before its release
      if (focus) {
        MSG m{focus, backend->IsKeyDown(VK_MENU) ? UINT{WM_SYSKEYUP} : UINT{WM_KEYUP}, e.key, 0};
        DeliverMessage(m);
      }
      break;
    case UiEvent::Kind::Text: DispatchText(e); break;
    case UiEvent::Kind::PenDown:
    case UiEvent::Kind::PenMove:
    case UiEvent::Kind::PenUp: DispatchPen(e); break;
    case UiEvent::Kind::Resize: Resize(e.point.x, e.point.y); break;
    case UiEvent::Kind::Quit:
      // Closing the host window closes the program's window, which may ask to save first.
      if (GetModalWindow()) break;
      if (!topLevels.empty()) topLevels.back()->SendMessage(WM_CLOSE);
      else PostQuitMessage(0);
      break;
    case UiEvent::Kind::None: break;
  }
}

void CWindowManager::DispatchKey(const UiEvent& e) {
  suppressText = false;
  CWnd* target = focus;
  CWnd* modalWnd = GetModalWindow();
  if (modalWnd && target && !IsAncestor(modalWnd, target)) target = modalWnd;  // nothing behind a modal window
  if (!target) {
    if (modalWnd) target = modalWnd;
    else if (!topLevels.empty()) target = topLevels.back();
  }
  if (!target) return;
  const bool alt = backend->IsKeyDown(VK_MENU);
  const bool ctrl = backend->IsKeyDown(VK_CONTROL);
  MSG msg{target, alt && !ctrl ? UINT{WM_SYSKEYDOWN} : UINT{WM_KEYDOWN}, e.key, e.repeat ? LPARAM{1} << 30 : 0};
  // Accelerators first, from the focus window out to its top-level window.
  for (CWnd* w = target; w; w = w->GetParent() ? w->GetParent() : w->GetOwner()) {
    if (w->PreTranslateMessage(&msg)) {
      suppressText = true;
      return;
    }
    if (GetModalWindow() == w) break;  // a modal window's owner does not see its keys
  }
  DeliverMessage(msg);
  // The keys that type a control character, as the host's key translation gives them.
  UINT ch = 0;
  if (e.key == VK_RETURN) ch = 13;
  else if (e.key == VK_BACK) ch = 8;
  else if (e.key == VK_TAB) ch = 9;
  else if (e.key == VK_ESCAPE) ch = 27;
  else if (ctrl && !alt && e.key >= 'A' && e.key <= 'Z') ch = e.key - 'A' + 1;
  if (ch && focus) {
    MSG c{focus, WM_CHAR, ch, 0};
    DeliverMessage(c);
  }
}

void CWindowManager::DispatchText(const UiEvent& e) {
  if (suppressText) {
    suppressText = false;
    return;
  }
  CWnd* target = focus;
  if (CWnd* modalWnd = GetModalWindow(); modalWnd && target && !IsAncestor(modalWnd, target)) target = modalWnd;
  for (char16_t c : e.text) {
    if (!target || !target->IsWindow()) return;
    MSG m{target, WM_CHAR, c, 0};
    DeliverMessage(m);
  }
}

void CWindowManager::DispatchPen(const UiEvent& e) {
  penPosition = e.point;
  UINT keys = 0;
  if (backend->IsKeyDown(VK_SHIFT)) keys |= MK_SHIFT;
  if (backend->IsKeyDown(VK_CONTROL)) keys |= MK_CONTROL;
  if (e.kind == UiEvent::Kind::PenDown) {
    penDown = true;
    pressButton = e.button;
    if (!capture && e.point.y < GetCaptionHeight()) {
      // The caption's "ok" answers the topmost dialog.
      for (auto it = topLevels.rbegin(); it != topLevels.rend(); ++it)
        if ((*it)->IsWindowVisible() && ((*it)->GetStyle() & WS_CAPTION)) {
          if (((*it)->GetStyle() & WS_POPUP) && CaptionOkRect(CRect(0, 0, screen.GetWidth(), GetCaptionHeight())).PtInRect(e.point))
            (*it)->SendMessage(WM_COMMAND, plat::IDOK, 0);
          break;
        }
      penTarget = nullptr;
      return;
    }
    CWnd* target = capture ? capture : WindowFromPoint(e.point);
    penTarget = target;
    if (!target) return;
    if (!capture && TrackScrollBarPress(target, e.point)) return;
    CPoint p = e.point;
    target->ScreenToClient(p);
    const std::uint64_t now = Now();
    const int slop = 4 * plat::gfx::GetLogicalDpi() / 96;
    const bool dbl = (target->GetClassStyle() & CS_DBLCLKS) && target == lastClickWnd && now - lastClickTime <= kDoubleClickMs &&
                     std::abs(e.point.x - lastClickPoint.x) <= slop && std::abs(e.point.y - lastClickPoint.y) <= slop &&
                     e.button == 0;
    lastClickWnd = dbl ? nullptr : target;
    lastClickTime = now;
    lastClickPoint = e.point;
    MSG m{target, dbl ? UINT{WM_LBUTTONDBLCLK} : UINT{WM_LBUTTONDOWN}, keys | MK_LBUTTON, MAKELPARAM(p.x, p.y)};
    DeliverMessage(m);
    return;
  }
  if (!penDown) return;  // no hover on a touch screen
  CWnd* target = capture ? capture : penTarget;
  if (!target || !target->IsWindow()) {
    if (e.kind == UiEvent::Kind::PenUp) penDown = false;
    return;
  }
  if (e.kind == UiEvent::Kind::PenMove) {
    if (TrackScrollBarMove(target, e.point)) return;
    CPoint p = e.point;
    target->ScreenToClient(p);
    MSG m{target, WM_MOUSEMOVE, keys | MK_LBUTTON, MAKELPARAM(p.x, p.y)};
    DeliverMessage(m);
  } else {
    penDown = false;
    if (TrackScrollBarRelease(target, e.point)) return;
    CPoint p = e.point;
    target->ScreenToClient(p);
    MSG m{target, WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y)};
    DeliverMessage(m);
  }
}

void CWindowManager::DeliverMessage(MSG& msg) {
  if (msg.hwnd && msg.hwnd->IsWindow()) msg.hwnd->SendMessage(msg.message, msg.wParam, msg.lParam);
}

// --- the loop --------------------------------------------------------------------------

void CWindowManager::PostQuitMessage(int code) {
  quit = true;
  quitCode = code;
}

void CWindowManager::ProcessPending() {
  for (int guard = 0; guard < 100000; ++guard) {
    FireDueTimers();
    if (queue.empty()) break;
    MSG m = queue.front();
    queue.pop_front();
    DeliverMessage(m);
  }
  PaintWindows();
  Compose();
}

bool CWindowManager::WatchPenHold(CPoint p, int ms) {
  if (nextPressHeld) {
    nextPressHeld = false;
    return true;
  }
  if (!backend || !backend->CanWait()) return false;
  const int slop = 4 * plat::gfx::GetLogicalDpi() / 96;
  const std::uint64_t until = Now() + static_cast<std::uint64_t>(ms);
  for (;;) {
    const std::uint64_t now = Now();
    if (now >= until) return true;
    UiEvent e;
    if (!backend->WaitEvent(e, static_cast<int>(until - now))) continue;
    replay.push_back(e);
    if (e.kind == UiEvent::Kind::PenUp || e.kind == UiEvent::Kind::Quit || e.kind == UiEvent::Kind::KeyDown) return false;
    if (e.kind == UiEvent::Kind::PenMove && (std::abs(e.point.x - p.x) > slop || std::abs(e.point.y - p.y) > slop))
      return false;
  }
}

bool CWindowManager::PumpOnce(int timeoutMs) {
  ProcessPending();
  if (!backend) return false;
  if (!replay.empty()) {
    const UiEvent e = replay.front();
    replay.pop_front();
    Dispatch(e);
    ProcessPending();
    return true;
  }
  int wait = NextTimerDelay();
  if (timeoutMs >= 0) wait = wait < 0 ? timeoutMs : std::min(wait, timeoutMs);
  UiEvent e;
  const bool got = backend->WaitEvent(e, wait);
  if (got) Dispatch(e);
  ProcessPending();
  return got;
}

int CWindowManager::Run() {
  while (!quit && backend) {
    if (onIdle) onIdle();
    // A screen that cannot wait gets no more input: the loop ends when it has none, even
    // with timers pending, since its clock moves only when a test moves it.
    if (!PumpOnce(-1) && !backend->CanWait()) break;
  }
  return quitCode;
}

int CWindowManager::RunModalLoop(CWnd* window) {
  modal.push_back(Modal{window});
  const std::size_t depth = modal.size();
  ProcessPending();
  if (backend) backend->OnModalLoop(window);
  while (!modal[depth - 1].ended && !quit && backend) {
    const bool got = PumpOnce(backend->CanWait() ? -1 : 0);
    if (!got && !backend->CanWait() && !modal[depth - 1].ended) {
      // Nobody will answer this window: it ends as cancelled.
      modal[depth - 1].ended = true;
      modal[depth - 1].result = plat::IDCANCEL;
    }
  }
  const int result = modal[depth - 1].result;
  modal.resize(depth - 1);
  return result;
}

void CWindowManager::EndModalLoop(CWnd* window, int result) {
  for (auto it = modal.rbegin(); it != modal.rend(); ++it)
    if (it->window == window && !it->ended) {
      it->ended = true;
      it->result = result;
      return;
    }
}

bool CWindowManager::IsInModalLoop(const CWnd* window) const {
  return std::any_of(modal.begin(), modal.end(), [window](const Modal& m) { return m.window == window && !m.ended; });
}

// --- painting and composition ----------------------------------------------------------

void CWindowManager::PaintTree(CWnd* wnd) {
  if (!wnd->IsWindowVisible() || !wnd->IsRedrawOn()) return;
  if (wnd->NeedsNonClientPaint()) wnd->DrawNonClient();
  CRect r;
  if (wnd->GetUpdateRect(r)) {
    wnd->SendMessage(WM_PAINT);
    // The parent painted over its children there: they paint again on top.
    wnd->ClientToScreen(r);
    for (CWnd* c : wnd->GetChildren()) {
      if (!c->IsWindowVisible()) continue;
      CRect cr = Intersect(r, c->GetWindowRect());
      if (cr.IsRectEmpty()) continue;
      c->ScreenToClient(cr);
      c->InvalidateRect(&cr, true);
      if (cr.left < 0 || cr.top < 0) c->Invalidate(true);  // it overlapped the border or bars
    }
  }
  for (CWnd* c : std::vector<CWnd*>(wnd->GetChildren()))
    if (c->IsWindow()) PaintTree(c);
}

void CWindowManager::PaintWindows() {
  for (CWnd* top : std::vector<CWnd*>(topLevels))
    if (top->IsWindow()) PaintTree(top);
}

void CWindowManager::Flush() {
  ProcessPending();
}

void CWindowManager::DrawCaption(const CRect& strip) {
  // The caption of the topmost window that has one, with an "ok" button for dialogs.
  for (auto it = topLevels.rbegin(); it != topLevels.rend(); ++it) {
    CWnd* w = *it;
    if (w->IsWindowVisible() && (w->GetStyle() & WS_CAPTION)) {
      DrawScreenCaption(screen, strip, w->GetWindowText(), (w->GetStyle() & WS_POPUP) != 0);
      return;
    }
  }
  DrawScreenCaption(screen, strip, u"", false);
}

void CWindowManager::Compose() {
  if (dirty.IsRectEmpty() || screen.IsEmpty()) return;
  const CRect area = dirty;
  dirty = CRect();
  const std::uint32_t desk = PixelFromColor(GetSysColor(COLOR_BTNFACE));
  for (int y = area.top; y < area.bottom; ++y) std::fill(screen.Row(y) + area.left, screen.Row(y) + area.right, desk);
  for (CWnd* top : topLevels) {
    if (!top->IsWindowVisible() || !top->layer) continue;
    const CRect wr = top->GetWindowRect();
    const CRect part = Intersect(wr, area);
    if (part.IsRectEmpty()) continue;
    for (int y = part.top; y < part.bottom; ++y) {
      const std::uint32_t* src = top->layer->Row(y - wr.top) + (part.left - wr.left);
      std::copy(src, src + part.Width(), screen.Row(y) + part.left);
    }
  }
  const CRect caption(0, 0, screen.GetWidth(), GetCaptionHeight());
  if (!Intersect(caption, area).IsRectEmpty()) DrawCaption(caption);
  const CRect menuBar(0, screen.GetHeight() - GetMenuBarHeight(), screen.GetWidth(), screen.GetHeight());
  if (!Intersect(menuBar, area).IsRectEmpty()) {
    if (drawMenuBar) {
      drawMenuBar(screen, menuBar);
    } else {
      const std::uint32_t face = PixelFromColor(GetSysColor(COLOR_BTNFACE));
      for (int y = menuBar.top; y < menuBar.bottom; ++y) std::fill(screen.Row(y) + menuBar.left, screen.Row(y) + menuBar.right, face);
      std::fill(screen.Row(menuBar.top), screen.Row(menuBar.top) + menuBar.right, PixelFromColor(GetSysColor(COLOR_BTNSHADOW)));
    }
  }
  // The caret inverts what it covers, unless a higher layer hides it.
  if (IsCaretVisible() && (caretBlinkOn || !backend->CaretBlinks())) {
    CRect c = Intersect(GetCaretRectOnScreen(), area);
    CWnd* owner = caretOwner->GetTopLevel();
    for (auto it = topLevels.rbegin(); it != topLevels.rend() && *it != owner; ++it)
      if ((*it)->IsWindowVisible() && !Intersect((*it)->GetWindowRect(), c).IsRectEmpty()) c = CRect();
    for (int y = c.top; y < c.bottom; ++y)
      for (int x = c.left; x < c.right; ++x) screen.Row(y)[x] ^= 0x00FFFFFF;
  }
  if (backend) backend->Present(screen, area);
}
