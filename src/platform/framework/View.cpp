// CView: painting through OnDraw.
#include "platform/framework/View.h"

#include "platform/ui/WindowDC.h"

void CView::OnPaint() {
  CPaintDC dc(this);
  OnDraw(&dc);
}
