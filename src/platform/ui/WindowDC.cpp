// Device contexts for windows: they draw into the top-level window's layer.
#include "platform/ui/WindowDC.h"

#include <algorithm>

#include "platform/ui/WindowManager.h"
#include "platform/ui/Wnd.h"

namespace {

CRect Intersect(const CRect& a, const CRect& b) {
  CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom));
  return r.IsRectEmpty() ? CRect() : r;
}

// The visible part of a window's client area on the screen: cut by every parent's client.
CRect VisibleClient(CWnd* wnd) {
  CRect r = wnd->GetClientRectOnScreen();
  for (CWnd* p = wnd->GetParent(); p; p = p->GetParent()) r = Intersect(r, p->GetClientRectOnScreen());
  return r;
}

}  // namespace

CClientDC::CClientDC(CWnd* w) : CClientDC(w, w->GetClientRect()) {}

CClientDC::CClientDC(CWnd* w, const CRect& clientClip) : wnd(w) {
  CWnd* top = w->GetTopLevel();
  CBitmap* layer = top->layer.get();
  const CRect client = w->GetClientRectOnScreen();
  CRect clipOnScreen = Intersect(VisibleClient(w), CRect(client.left + clientClip.left, client.top + clientClip.top,
                                                         client.left + clientClip.right, client.top + clientClip.bottom));
  if (!w->IsWindowVisible()) clipOnScreen = CRect();
  screenClip = clipOnScreen;
  const CRect tr = top->GetWindowRect();
  const CPoint origin(client.left - tr.left, client.top - tr.top);
  const CRect clip(clipOnScreen.left - tr.left, clipOnScreen.top - tr.top, clipOnScreen.right - tr.left,
                   clipOnScreen.bottom - tr.top);
  AttachSurface(layer, origin, clip);
}

CClientDC::~CClientDC() { CWindowManager::Get().MarkDirty(screenClip); }

CPaintDC::CPaintDC(CWnd* w) : CClientDC(w, w->invalid.IsRectEmpty() ? CRect() : w->invalid), paintRect(w->invalid) {
  const bool erase = w->eraseWanted;
  w->invalid = CRect();
  w->eraseWanted = false;
  if (erase) w->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<CDC*>(this)));
}
