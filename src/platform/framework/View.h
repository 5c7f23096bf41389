// CView: a window that shows a document, draws in OnDraw and passes its commands to its frame.
#pragma once
#include "platform/ui/Wnd.h"

class CDC;
class CDocument;
class CFrameWnd;

class CView : public CWnd {
 public:
  ~CView() override;

  // Makes the view's window in parent's client area; views with scroll bars or other
  // styles override it (the frame creates its view through this).
  virtual bool CreateView(CWnd* parent, const CRect& rect, UINT id = 0);
  // Called once the view is attached to its document, before it is first shown.
  virtual void OnInitialUpdate() {}

  CDocument* GetDocument() const { return m_pDocument; }
  // The frame window the view lies in, or null.
  CFrameWnd* GetParentFrame() const;

  // A command sent to the view goes to its frame, which routes it from the view on; a view
  // outside any frame routes it itself (its own handlers, then its parents').
  bool OnCommand(WPARAM wParam, LPARAM lParam) override;

 protected:
  virtual void OnDraw(CDC* dc) = 0;
  void OnPaint() override;

 private:
  friend class CDocument;
  CDocument* m_pDocument = nullptr;  // set by CDocument::AddView
};
