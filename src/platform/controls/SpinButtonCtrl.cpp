// The up-down control: its range and position, the buddy that shows the number, the pen
// on its arrows with repeat while held, and its two arrow buttons drawn.
#include "platform/controls/SpinButtonCtrl.h"

#include <algorithm>

#include "platform/base/Strings.h"
#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowManager.h"

using plat::ui::Scaled;

namespace {

// A filled triangle centred in box, pointing up (or right) when forward, else down (or left).
void Arrow(CDC& dc, const CRect& box, bool vertical, bool forward, COLORREF color) {
  const int size = std::max(2, std::min(box.Width(), box.Height()) / 3);
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  for (int i = 0; i < size; ++i) {
    // Row i of the triangle, from its point outward.
    const int along = forward ? size / 2 - i : -size / 2 + i;
    if (vertical) dc.FillSolidRect(CRect(cx - i, cy - along, cx + i + 1, cy - along + 1), color);
    else dc.FillSolidRect(CRect(cx + along, cy - i, cx + along + 1, cy + i + 1), color);
  }
}

// The buddy's text as a number: thousands separators, which the control itself may have
// written, are skipped.
bool ParseNumber(const std::u16string& text, int& value) {
  std::u16string digits;
  for (char16_t c : plat::Trim(text))
    if (c != u',') digits.push_back(c);
  return plat::ToInt(digits, value);
}

}  // namespace

bool CSpinButtonCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
  return CWnd::Create(parent, rect, style | WS_CHILD, id);
}

std::unique_ptr<CWnd> CSpinButtonCtrl::Make(const CREATESTRUCT& cs) {
  auto w = std::make_unique<CSpinButtonCtrl>();
  if (!w->Create(cs.style, cs.rect, cs.parent, cs.id)) return nullptr;
  return w;
}

int CSpinButtonCtrl::OnCreate() {
  if (!(GetStyle() & UDS_AUTOBUDDY) || !GetParent()) return 0;
  // We are already among the parent's children: the buddy is the one made just before.
  const auto& kids = GetParent()->GetChildren();
  const auto self = std::find(kids.begin(), kids.end(), this);
  if (self != kids.begin() && self != kids.end()) SetBuddy(*(self - 1));
  return 0;
}

CWnd* CSpinButtonCtrl::LiveBuddy() const {
  if (!buddy || !GetParent()) return nullptr;
  const auto& kids = GetParent()->GetChildren();
  return std::find(kids.begin(), kids.end(), buddy) != kids.end() ? buddy : nullptr;
}

CWnd* CSpinButtonCtrl::GetBuddy() const { return LiveBuddy(); }

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* newBuddy) {
  CWnd* old = LiveBuddy();
  buddy = newBuddy;
  PlaceBesideBuddy();
  return old;
}

void CSpinButtonCtrl::PlaceBesideBuddy() {
  CWnd* b = LiveBuddy();
  const DWORD align = GetStyle() & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT);
  if (!b || !align) return;
  // Inside the buddy's old rectangle, as tall as the buddy; the buddy gives up the width.
  CRect r = b->GetWindowRect();
  GetParent()->ScreenToClient(r);
  const int width = std::min(std::max(GetWindowRect().Width(), Scaled(13)), std::max(1, r.Width() - 1));
  if (align & UDS_ALIGNRIGHT) {
    b->MoveWindow(CRect(r.left, r.top, r.right - width, r.bottom));
    MoveWindow(CRect(r.right - width, r.top, r.right, r.bottom));
  } else {
    b->MoveWindow(CRect(r.left + width, r.top, r.right, r.bottom));
    MoveWindow(CRect(r.left, r.top, r.left + width, r.bottom));
  }
}

void CSpinButtonCtrl::SetRange(int lo, int hi) {
  lower = lo;
  upper = hi;
}

void CSpinButtonCtrl::GetRange(int& lo, int& hi) const {
  lo = lower;
  hi = upper;
}

int CSpinButtonCtrl::SetPos(int newPos) {
  const int old = pos;
  pos = std::clamp(newPos, std::min(lower, upper), std::max(lower, upper));
  WriteBuddy();
  return old;
}

int CSpinButtonCtrl::GetPos() const {
  CWnd* b = LiveBuddy();
  int value = 0;
  if ((GetStyle() & UDS_SETBUDDYINT) && b && ParseNumber(b->GetWindowText(), value))
    return std::clamp(value, std::min(lower, upper), std::max(lower, upper));
  return pos;
}

void CSpinButtonCtrl::WriteBuddy() {
  CWnd* b = LiveBuddy();
  if (!b || !(GetStyle() & UDS_SETBUDDYINT)) return;
  const std::u16string text = (GetStyle() & UDS_NOTHOUSANDS) ? plat::FromInt(pos) : plat::FromIntGrouped(pos);
  if (b->GetWindowText() == text) return;
  // As the user would change it: an edit notifies its parent of the new text.
  if (!b->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()))) b->SetWindowText(text);
}

void CSpinButtonCtrl::Step(bool up) {
  const int lo = std::min(lower, upper), hi = std::max(lower, upper);
  const int direction = (upper >= lower) == up ? 1 : -1;
  // From what the buddy shows now: the user may have typed since the last step.
  const long long next = static_cast<long long>(GetPos()) + direction;
  int wanted = static_cast<int>(std::clamp<long long>(next, lo, hi));
  if (next > hi && (GetStyle() & UDS_WRAP)) wanted = lo;
  if (next < lo && (GetStyle() & UDS_WRAP)) wanted = hi;
  SetPos(wanted);
}

CRect CSpinButtonCtrl::UpRect() const {
  const CRect c = GetClientRect();
  if (GetStyle() & UDS_HORZ) return CRect(c.left + c.Width() / 2, c.top, c.right, c.bottom);
  return CRect(c.left, c.top, c.right, c.top + c.Height() / 2);
}

CRect CSpinButtonCtrl::DownRect() const {
  const CRect c = GetClientRect();
  if (GetStyle() & UDS_HORZ) return CRect(c.left, c.top, c.left + c.Width() / 2, c.bottom);
  return CRect(c.left, c.top + c.Height() / 2, c.right, c.bottom);
}

bool CSpinButtonCtrl::TranslateBuddyKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.wParam != VK_UP && msg.wParam != VK_DOWN)) return false;
  if (!msg.hwnd || !msg.hwnd->GetParent()) return false;
  for (CWnd* w : msg.hwnd->GetParent()->GetChildren()) {
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(w);
    if (!spin || spin->LiveBuddy() != msg.hwnd || !(spin->GetStyle() & UDS_ARROWKEYS) || !spin->IsWindowEnabled()) continue;
    spin->Step(msg.wParam == VK_UP);
    return true;
  }
  return false;
}

void CSpinButtonCtrl::OnLButtonDown(UINT, CPoint point) {
  // The focus stays where it is (in the buddy): the arrows only change its number.
  const int arrow = UpRect().PtInRect(point) ? 1 : DownRect().PtInRect(point) ? -1 : 0;
  if (!arrow) return;
  pressed = arrow;
  SetCapture();
  Invalidate(true);
  Step(arrow > 0);
  SetTimer(kRepeatTimer, kRepeatDelayMs);
}

void CSpinButtonCtrl::OnLButtonDblClk(UINT flags, CPoint point) { OnLButtonDown(flags, point); }

void CSpinButtonCtrl::OnLButtonUp(UINT, CPoint) {
  if (!pressed) return;
  StopRepeat();
  if (CWnd::GetCapture() == this) CWnd::ReleaseCapture();
}

void CSpinButtonCtrl::OnCaptureChanged(CWnd* newCapture) {
  if (newCapture != this) StopRepeat();
}

void CSpinButtonCtrl::StopRepeat() {
  KillTimer(kRepeatTimer);
  if (pressed) {
    pressed = 0;
    Invalidate(true);
  }
}

void CSpinButtonCtrl::OnTimer(UINT_PTR id) {
  if (id != kRepeatTimer || !pressed) return;
  // Repeats only while the pen stays on the arrow it pressed.
  CPoint pen = CWindowManager::Get().GetPenPosition();
  ScreenToClient(pen);
  if ((pressed > 0 ? UpRect() : DownRect()).PtInRect(pen)) Step(pressed > 0);
  SetTimer(kRepeatTimer, kRepeatPeriodMs);
}

bool CSpinButtonCtrl::OnEraseBkgnd(CDC* dc) {
  (void)dc;  // the paint covers every pixel
  return true;
}

void CSpinButtonCtrl::OnPaint() {
  CPaintDC dc(this);
  const bool vertical = !(GetStyle() & UDS_HORZ);
  const COLORREF arrow = GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  for (int half : {1, -1}) {
    const CRect r = half > 0 ? UpRect() : DownRect();
    const bool down = pressed == half;
    dc.FillSolidRect(r, GetSysColor(down ? COLOR_BTNSHADOW : COLOR_BTNFACE));
    dc.FrameRect(r, GetSysColor(COLOR_WINDOWFRAME));
    Arrow(dc, r, vertical, half > 0, down ? GetSysColor(COLOR_HIGHLIGHTTEXT) : arrow);
  }
}
