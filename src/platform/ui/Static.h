// CStatic: a label in a dialog, its text left, centred or right-aligned and wrapped at words.
#pragma once
#include "platform/ui/Control.h"

class CStatic : public CControl {
 protected:
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;
  UINT OnGetDlgCode() override { return DLGC_STATIC; }
  COLORREF GetBackgroundColor() const override;
};
