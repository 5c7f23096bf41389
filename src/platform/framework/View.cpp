// CView: painting through OnDraw, its document, and commands passed to the frame.
#include "platform/framework/View.h"

#include "platform/framework/Document.h"
#include "platform/framework/FrameWnd.h"
#include "platform/ui/WindowDC.h"

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

bool CView::CreateView(CWnd* parent, const CRect& rect, UINT id) {
  return Create(parent, rect, WS_CHILD | WS_VISIBLE, id);
}

CFrameWnd* CView::GetParentFrame() const {
  for (CWnd* w = GetParent(); w; w = w->GetParent())
    if (auto* frame = dynamic_cast<CFrameWnd*>(w)) return frame;
  return nullptr;
}

bool CView::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The frame asks this view first, so the chain starts here either way and no target is
  // asked twice.
  if (CFrameWnd* frame = GetParentFrame()) return frame->OnCommand(wParam, lParam);
  return CWnd::OnCommand(wParam, lParam);
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnDraw(&dc);
}
