// The scroll bars of a window: their state, drawing, and the pen on them.
#include "platform/ui/ScrollBars.h"

#include <algorithm>

#include "platform/gfx/DC.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/ScrollBarState.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

namespace {

struct BarParts {
  CRect bar, arrowLow, arrowHigh, track, thumb;
};

// Track pressed for a bar, its part and where the pen grabbed the thumb.
struct Tracking {
  CWnd* wnd = nullptr;
  int bar = 0;
  enum class Part { None, ArrowLow, ArrowHigh, PageLow, PageHigh, Thumb } part = Part::None;
} tracking;

void Triangle(CDC& dc, const CRect& box, int direction, COLORREF color) {
  // direction: 0 up, 1 down, 2 left, 3 right
  const int size = std::max(2, std::min(box.Width(), box.Height()) / 4);
  const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  for (int i = 0; i < size; ++i) {
    const int half = i;
    switch (direction) {
      case 0: dc.FillSolidRect(CRect(cx - half, cy - size / 2 + i, cx + half + 1, cy - size / 2 + i + 1), color); break;
      case 1: dc.FillSolidRect(CRect(cx - half, cy + size / 2 - i, cx + half + 1, cy + size / 2 - i + 1), color); break;
      case 2: dc.FillSolidRect(CRect(cx - size / 2 + i, cy - half, cx - size / 2 + i + 1, cy + half + 1), color); break;
      default: dc.FillSolidRect(CRect(cx + size / 2 - i, cy - half, cx + size / 2 - i + 1, cy + half + 1), color); break;
    }
  }
}

}  // namespace

// Geometry of one bar in screen coordinates.
static BarParts Parts(const CWnd* wnd, const ScrollBarState& s, const CRect& bar, int barIndex) {
  BarParts p;
  p.bar = bar;
  if (barIndex == SB_VERT) {
    const int a = std::min(bar.Width(), bar.Height() / 2);
    p.arrowLow = CRect(bar.left, bar.top, bar.right, bar.top + a);
    p.arrowHigh = CRect(bar.left, bar.bottom - a, bar.right, bar.bottom);
    p.track = CRect(bar.left, bar.top + a, bar.right, bar.bottom - a);
    int off = 0, len = 0;
    s.Thumb(p.track.Height(), bar.Width(), off, len);
    p.thumb = CRect(bar.left, p.track.top + off, bar.right, p.track.top + off + len);
  } else {
    const int a = std::min(bar.Height(), bar.Width() / 2);
    p.arrowLow = CRect(bar.left, bar.top, bar.left + a, bar.bottom);
    p.arrowHigh = CRect(bar.right - a, bar.top, bar.right, bar.bottom);
    p.track = CRect(bar.left + a, bar.top, bar.right - a, bar.bottom);
    int off = 0, len = 0;
    s.Thumb(p.track.Width(), bar.Height(), off, len);
    p.thumb = CRect(p.track.left + off, bar.top, p.track.left + off + len, bar.bottom);
  }
  (void)wnd;
  return p;
}

void CWnd::DrawNonClient() {
  ncDirty = false;
  if (!created || (!layer && !parent)) return;
  CWnd* top = GetTopLevel();
  if (!top->layer || !IsWindowVisible()) return;
  CDC dc;
  const CRect tr = top->GetWindowRect();
  dc.AttachSurface(top->layer.get(), CPoint(-tr.left, -tr.top), CRect(0, 0, top->layer->GetWidth(), top->layer->GetHeight()));
  if (HasBorder()) dc.FrameRect(windowRect, GetSysColor(COLOR_WINDOWFRAME));
  for (int b = 0; b < 2; ++b) {
    if (!bars[b]) continue;
    const ScrollBarState& s = *bars[b];
    const CRect bar = ScrollBarRect(b);
    const BarParts p = Parts(this, s, bar, b);
    const bool enabled = s.CanScroll();
    dc.FillSolidRect(bar, GetSysColor(COLOR_SCROLLBAR));
    const COLORREF face = GetSysColor(COLOR_BTNFACE), edge = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF arrow = enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT);
    for (const CRect* r : {&p.arrowLow, &p.arrowHigh}) {
      dc.FillSolidRect(*r, face);
      dc.FrameRect(*r, edge);
    }
    Triangle(dc, p.arrowLow, b == SB_VERT ? 0 : 2, arrow);
    Triangle(dc, p.arrowHigh, b == SB_VERT ? 1 : 3, arrow);
    if (enabled) {
      dc.FillSolidRect(p.thumb, face);
      dc.FrameRect(p.thumb, edge);
    }
  }
  if (bars[0] && bars[1]) {
    const CRect c = GetClientRectOnScreen();
    dc.FillSolidRect(CRect(c.right, c.bottom, c.right + ScrollBarSize(), c.bottom + ScrollBarSize()), GetSysColor(COLOR_BTNFACE));
  }
  CWindowManager::Get().MarkDirty(windowRect);
}

int CWnd::SetScrollInfo(int bar, const SCROLLINFO& info, bool redraw) {
  if (bar != SB_VERT && bar != SB_HORZ) return 0;
  ScrollBarState* s = bars[bar].get();
  if (!s) return 0;
  const ScrollBarState before = *s;
  if (info.fMask & SIF_RANGE) {
    s->min = info.nMin;
    s->max = std::max(info.nMin, info.nMax);
  }
  if (info.fMask & SIF_PAGE) s->page = static_cast<int>(std::min<UINT>(info.nPage, 0x7FFFFFFF));
  if (info.fMask & SIF_POS) s->pos = info.nPos;
  if (info.fMask & SIF_DISABLENOSCROLL) s->disabledNoScroll = true;
  s->pos = std::clamp(s->pos, s->min, s->MaxPos());
  // Drawn with the next paint: an edit may change the bars many times before anyone looks.
  // A bar whose picture stays as it is (a line more in a long text rarely moves the thumb by
  // a pixel) is not drawn again.
  if (redraw && !ncDirty) {
    const CRect rect = ScrollBarRect(bar);
    const bool was = before.CanScroll(), is = s->CanScroll();
    if (was != is || (is && Parts(this, before, rect, bar).thumb != Parts(this, *s, rect, bar).thumb)) ncDirty = true;
  }
  return s->pos;
}

bool CWnd::GetScrollInfo(int bar, SCROLLINFO& info, UINT mask) const {
  if (bar != SB_VERT && bar != SB_HORZ) return false;
  const ScrollBarState* s = bars[bar].get();
  if (!s) return false;
  info.fMask = mask;
  if (mask & SIF_RANGE) {
    info.nMin = s->min;
    info.nMax = s->max;
  }
  if (mask & SIF_PAGE) info.nPage = static_cast<UINT>(s->page);
  if (mask & SIF_POS) info.nPos = s->pos;
  if (mask & SIF_TRACKPOS) info.nTrackPos = s->tracking ? s->trackPos : s->pos;
  return true;
}

int CWnd::SetScrollPos(int bar, int pos, bool redraw) {
  if ((bar != SB_VERT && bar != SB_HORZ) || !bars[bar]) return 0;
  const int old = bars[bar]->pos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(bar, si, redraw);
  return old;
}

int CWnd::GetScrollPos(int bar) const {
  if ((bar != SB_VERT && bar != SB_HORZ) || !bars[bar]) return 0;
  return bars[bar]->pos;
}

// Pen handling of scroll bars: called by the window manager before client messages.
class CScrollBarTracker {
 public:
  static bool Press(CWnd* wnd, CPoint p) {
    for (int b = 0; b < 2; ++b) {
      ScrollBarState* s = wnd->bars[b].get();
      if (!s || !wnd->ScrollBarRect(b).PtInRect(p)) continue;
      if (!s->CanScroll()) return true;  // a disabled bar swallows the press
      const BarParts parts = Parts(wnd, *s, wnd->ScrollBarRect(b), b);
      tracking = Tracking{wnd, b};
      const UINT msg = b == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
      if (parts.arrowLow.PtInRect(p)) tracking.part = Tracking::Part::ArrowLow;
      else if (parts.arrowHigh.PtInRect(p)) tracking.part = Tracking::Part::ArrowHigh;
      else if (parts.thumb.PtInRect(p)) tracking.part = Tracking::Part::Thumb;
      else if (b == SB_VERT ? p.y < parts.thumb.top : p.x < parts.thumb.left) tracking.part = Tracking::Part::PageLow;
      else tracking.part = Tracking::Part::PageHigh;
      switch (tracking.part) {
        case Tracking::Part::ArrowLow: wnd->SendMessage(msg, SB_LINEUP); break;
        case Tracking::Part::ArrowHigh: wnd->SendMessage(msg, SB_LINEDOWN); break;
        case Tracking::Part::PageLow: wnd->SendMessage(msg, SB_PAGEUP); break;
        case Tracking::Part::PageHigh: wnd->SendMessage(msg, SB_PAGEDOWN); break;
        case Tracking::Part::Thumb:
          s->tracking = true;
          s->trackPos = s->pos;
          s->grabOffset = b == SB_VERT ? p.y - parts.thumb.top : p.x - parts.thumb.left;
          break;
        case Tracking::Part::None: break;
      }
      return true;
    }
    return false;
  }

  static bool Move(CWnd* wnd, CPoint p) {
    if (tracking.wnd != wnd || !wnd->IsWindow()) return false;
    ScrollBarState* s = wnd->bars[tracking.bar].get();
    if (!s) return true;
    if (tracking.part == Tracking::Part::Thumb) {
      const BarParts parts = Parts(wnd, *s, wnd->ScrollBarRect(tracking.bar), tracking.bar);
      const bool vert = tracking.bar == SB_VERT;
      const int trackLen = vert ? parts.track.Height() : parts.track.Width();
      const int thumbLen = vert ? parts.thumb.Height() : parts.thumb.Width();
      const int offset = (vert ? p.y - parts.track.top : p.x - parts.track.left) - s->grabOffset;
      const int pos = s->PosFromOffset(trackLen, thumbLen, offset);
      if (pos != s->trackPos) {
        s->trackPos = pos;
        wnd->SendMessage(vert ? WM_VSCROLL : WM_HSCROLL, SB_THUMBTRACK | (static_cast<UINT>(pos & 0xFFFF) << 16));
        wnd->DrawNonClient();
      }
    }
    return true;
  }

  static bool Release(CWnd* wnd, CPoint p) {
    (void)p;
    if (tracking.wnd != wnd) return false;
    ScrollBarState* s = wnd->IsWindow() ? wnd->bars[tracking.bar].get() : nullptr;
    const UINT msg = tracking.bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    if (s && tracking.part == Tracking::Part::Thumb) {
      wnd->SendMessage(msg, SB_THUMBPOSITION | (static_cast<UINT>(s->trackPos & 0xFFFF) << 16));
      if (wnd->IsWindow() && wnd->bars[tracking.bar]) wnd->bars[tracking.bar]->tracking = false;
    }
    if (wnd->IsWindow()) {
      wnd->SendMessage(msg, SB_ENDSCROLL);
      wnd->DrawNonClient();
    }
    tracking = Tracking{};
    return true;
  }
};

bool TrackScrollBarPress(CWnd* wnd, CPoint p) { return CScrollBarTracker::Press(wnd, p); }
bool TrackScrollBarMove(CWnd* wnd, CPoint p) { return CScrollBarTracker::Move(wnd, p); }
bool TrackScrollBarRelease(CWnd* wnd, CPoint p) { return CScrollBarTracker::Release(wnd, p); }
