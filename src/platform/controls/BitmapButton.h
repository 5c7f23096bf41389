// CBitmapButton: an owner-drawn push button showing one of four bitmaps for its state:
// up, down (pressed), focused and disabled. It sizes itself to the bitmaps.
#pragma once
#include <string_view>

#include "platform/controls/Button.h"
#include "platform/gfx/Bitmap.h"

class CBitmapButton : public CButton {
 public:
  // Loads the named bitmaps of the resource module. The up bitmap is required; a missing
  // down, focused or disabled one shows the up bitmap instead. False (nothing changed)
  // when there is no up bitmap.
  bool LoadBitmaps(std::u16string_view up, std::u16string_view down = {}, std::u16string_view focused = {},
                   std::u16string_view disabled = {});
  // Takes the place of the parent's button id (made by a dialog template as a plain push
  // button), keeping its position, text and style, and loads the bitmaps the text names:
  // text + "U", "D", "F" and "X". False when there is no such button or no up bitmap.
  bool AutoLoad(UINT id, CWnd* parent);
  // Resizes the button to its up bitmap, keeping its top left.
  void SizeToContent();

  const CBitmap& GetBitmap() const { return up; }

 protected:
  void OnPaint() override;
  bool OnEraseBkgnd(CDC* dc) override;

 private:
  // The bitmap for the button's state now.
  CBitmap& Current();

  CBitmap up, down, focus, disabled;
};
