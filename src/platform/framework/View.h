// CView: a window that shows a document and draws itself in OnDraw.
#pragma once
#include "platform/ui/Wnd.h"

class CDC;

class CView : public CWnd {
 public:
  // Called once the view is attached to its document, before it is first shown.
  virtual void OnInitialUpdate() {}

 protected:
  virtual void OnDraw(CDC* dc) = 0;
  void OnPaint() override;
};
