// Device contexts for windows: the client area of a window (CClientDC), and the region of it
// waiting to be painted (CPaintDC, inside WM_PAINT).
#pragma once
#include "platform/gfx/DC.h"

class CWnd;

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  // Only part of the client area (client coordinates): drawing is clipped to it, and only it
  // is put on the screen afterwards.
  CClientDC(CWnd* wnd, const CRect& clientClip);
  ~CClientDC() override;

 protected:
  CWnd* wnd;
  CRect screenClip;
};

class CPaintDC : public CClientDC {
 public:
  // Takes the window's invalid area (erasing it first when that was asked for) and marks
  // it painted.
  explicit CPaintDC(CWnd* wnd);
  // The area to paint, client coordinates.
  const CRect& PaintRect() const { return paintRect; }

 private:
  CRect paintRect;
};
