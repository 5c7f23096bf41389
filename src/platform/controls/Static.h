// CStatic: a label in a dialog, its text left, centred or right-aligned and wrapped at words.
#pragma once
#include <memory>

#include "platform/controls/Control.h"
#include "platform/ui/WindowClass.h"

class CStatic : public CControl {
 public:
  // Makes and creates a window of this class for the class registry (a template's item).
  static std::unique_ptr<CWnd> Make(const CREATESTRUCT& cs);

 protected:
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  UINT OnGetDlgCode() override { return DLGC_STATIC; }
  COLORREF GetBackgroundColor() const override;
};
