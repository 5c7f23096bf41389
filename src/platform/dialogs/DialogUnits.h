// Dialog units: the dialog font's base units and the conversion of a template's dialog
// units to pixels.
#pragma once
#include "platform/base/Types.h"
#include "platform/ui/DialogTemplate.h"

class CDC;

// The dialog font's base units: the average width of the letters A-Z and a-z (rounded the
// way the handheld rounds it) and the height of a line of text, in pixels.
struct DialogBaseUnits {
  int x = 0;
  int y = 0;
};
// Measures with the font selected into dc.
DialogBaseUnits MeasureDialogBaseUnits(const CDC& dc);

// Dialog units to pixels: x * base.x / 4 and y * base.y / 8, each of the four values on its
// own as the dialog manager converts them. Values are bounded so an absurd template cannot
// overflow the screen arithmetic.
int DialogUnitsToPixelsX(int x, const DialogBaseUnits& base);
int DialogUnitsToPixelsY(int y, const DialogBaseUnits& base);
// The pixel rectangle of an item (its x, y, cx, cy).
CRect MapDialogItemRect(const DialogItemTemplate& item, const DialogBaseUnits& base);
