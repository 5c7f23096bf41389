// The headless screen and its driver.
#include "platform/backend/headless/HeadlessScreen.h"

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Png.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WindowManager.h"

void CHeadlessBackend::Present(const CBitmap&, const CRect& dirty) {
  ++presents;
  if (dirty.IsRectEmpty()) return;
  presented = presented.IsRectEmpty() ? dirty
                                      : CRect(std::min(presented.left, dirty.left), std::min(presented.top, dirty.top),
                                              std::max(presented.right, dirty.right), std::max(presented.bottom, dirty.bottom));
}

bool CHeadlessBackend::WaitEvent(UiEvent&, int) { return false; }

bool CHeadlessBackend::IsKeyDown(UINT vk) {
  switch (vk) {
    case VK_SHIFT: return shift;
    case VK_CONTROL: return ctrl;
    case VK_MENU: return alt;
    default: return false;
  }
}

void CHeadlessBackend::OnModalLoop(CWnd* window) {
  if (modalHook) modalHook(window);
}

CHeadlessScreen::CHeadlessScreen(int width, int height) {
  auto b = std::make_unique<CHeadlessBackend>();
  backend = b.get();
  CWindowManager::Get().Start(std::move(b), width, height);
}

CHeadlessScreen::~CHeadlessScreen() { CWindowManager::Get().Shutdown(); }

void CHeadlessScreen::Send(const UiEvent& e) {
  auto& wm = CWindowManager::Get();
  wm.Dispatch(e);
  wm.ProcessPending();
}

void CHeadlessScreen::SetModifiers(unsigned m) {
  backend->shift = m & Shift;
  backend->ctrl = m & Ctrl;
  backend->alt = m & Alt;
}

void CHeadlessScreen::Key(UINT vk, unsigned modifiers) {
  SetModifiers(modifiers);
  UiEvent down;
  down.kind = UiEvent::Kind::KeyDown;
  down.key = vk;
  Send(down);
  UiEvent up = down;
  up.kind = UiEvent::Kind::KeyUp;
  Send(up);
  SetModifiers(0);
}

void CHeadlessScreen::Type(std::u16string_view text) {
  for (char16_t c : text) {
    UiEvent e;
    e.kind = UiEvent::Kind::Text;
    e.text = std::u16string(1, c);
    CWindowManager::Get().Dispatch(e);
  }
  CWindowManager::Get().ProcessPending();
}

void CHeadlessScreen::Pen(UiEvent::Kind kind, int x, int y, unsigned modifiers) {
  SetModifiers(modifiers);
  UiEvent e;
  e.kind = kind;
  e.point = CPoint(x, y);
  Send(e);
}

void CHeadlessScreen::PenDown(int x, int y, unsigned modifiers) { Pen(UiEvent::Kind::PenDown, x, y, modifiers); }
void CHeadlessScreen::PenMove(int x, int y, unsigned modifiers) { Pen(UiEvent::Kind::PenMove, x, y, modifiers); }

void CHeadlessScreen::PenUp(int x, int y, unsigned modifiers) {
  Pen(UiEvent::Kind::PenUp, x, y, modifiers);
  SetModifiers(0);
}

void CHeadlessScreen::Tap(int x, int y, unsigned modifiers) {
  PenDown(x, y, modifiers);
  PenUp(x, y, modifiers);
}

void CHeadlessScreen::DoubleTap(int x, int y) {
  Tap(x, y);
  Advance(50);
  Tap(x, y);
}

void CHeadlessScreen::Hold(int x, int y) {
  CWindowManager::Get().SetNextPressHeld(true);
  PenDown(x, y);
  CWindowManager::Get().SetNextPressHeld(false);
  PenUp(x, y);
}

void CHeadlessScreen::RightClick(int x, int y) {
  UiEvent e;
  e.kind = UiEvent::Kind::PenDown;
  e.point = CPoint(x, y);
  e.button = 1;
  Send(e);
  e.kind = UiEvent::Kind::PenUp;
  Send(e);
}

void CHeadlessScreen::Advance(int ms) {
  auto& wm = CWindowManager::Get();
  // Step in small increments so that timers fire at their times, in order.
  const std::uint64_t end = backend->now + static_cast<std::uint64_t>(ms < 0 ? 0 : ms);
  while (backend->now < end) {
    backend->now = std::min(end, backend->now + 10);
    wm.ProcessPending();
  }
}

void CHeadlessScreen::Resize(int width, int height) {
  UiEvent e;
  e.kind = UiEvent::Kind::Resize;
  e.point = CPoint(width, height);
  Send(e);
}

const CBitmap& CHeadlessScreen::Screen() {
  CWindowManager::Get().ProcessPending();
  return CWindowManager::Get().GetScreen();
}

COLORREF CHeadlessScreen::Pixel(int x, int y) { return Screen().GetPixel(x, y); }

bool CHeadlessScreen::SavePng(const std::string& hostPath) { return plat::gfx::SavePng(Screen(), hostPath); }
