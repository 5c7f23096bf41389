// The About box and the program's icon.
#include "platform/controls/ControlMessages.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Resources.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

namespace {

using K = DialogItemKind;

DialogTemplate AboutBox() {
  DialogTemplate t;
  t.caption = u"About Tovin";
  t.cx = 140;
  t.cy = 100;
  t.items = {
      {K::Static, IDC_STATIC, u"Tovin - Version 4.0", 4, 34, 132, 12, SS_CENTER},
      {K::Static, IDC_STATIC, u"A programmer's editor for small touch screens.", 4, 48, 132, 20, SS_CENTER},
      {K::PushButton, IDC_ABOUT_HELP, u"Show Help File", 4, 74, 64, 16, WS_TABSTOP | WS_GROUP},
      {K::PushButton, IDC_ABOUT_WEBSITE, u"Go to Website", 72, 74, 64, 16, WS_TABSTOP},
  };
  return t;
}

// A page with a pen: the program's icon, 32 x 32, magenta where transparent.
void DrawIcon(CBitmap& b) {
  b.Create(32, 32);
  b.Fill(RGB(255, 0, 255));
  for (int y = 3; y < 29; ++y)
    for (int x = 6; x < 24; ++x) b.SetPixel(x, y, (x == 6 || x == 23 || y == 3 || y == 28) ? RGB(40, 60, 120) : RGB(255, 255, 255));
  for (int line = 0; line < 5; ++line)
    for (int x = 9; x < 21 - (line % 2) * 4; ++x) b.SetPixel(x, 8 + line * 4, RGB(16, 80, 168));
  for (int i = 0; i < 14; ++i) {
    b.SetPixel(14 + i, 27 - i, RGB(200, 120, 0));
    b.SetPixel(15 + i, 27 - i, RGB(240, 170, 40));
    b.SetPixel(16 + i, 27 - i, RGB(200, 120, 0));
  }
}

}  // namespace

void AddAboutResources(CResourceModule& m) {
  m.dialogs[IDD_ABOUTBOX] = AboutBox();
  m.bitmaps[IDI_MAINFRAME] = DrawIcon;
}
