// The file browser's resources: its two layouts (portrait and landscape), the titles of the
// file prompt, and its bitmaps drawn by code: bitmap 142 (a folder and a file, 16 x 16 each,
// on pure blue, which the image list leaves out) and the up-one-folder button's four states,
// "IDB_DIR_UP" + U, D, F, X at 23 x 22 and "IDB_DIR_UP_L" + the same at 46 x 44.
#include <string>

#include "platform/controls/CommonControls.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Resources.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

namespace {

using K = DialogItemKind;
constexpr DWORD TAB = WS_TABSTOP, GROUP = WS_GROUP;
constexpr DWORD kTypeStyle = DWORD{CBS_DROPDOWNLIST} | WS_VSCROLL | TAB | GROUP;
constexpr DWORD kNameStyle = ES_AUTOHSCROLL | TAB | GROUP;
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | TAB | GROUP;
// The up button's text names its bitmaps; the browser swaps in the large set on a
// high-resolution screen. It comes last so that it keeps its place in the tab order when
// the bitmap button takes it over.
constexpr DWORD kUpStyle = BS_OWNERDRAW | TAB | GROUP;

// The type box's height is that of its opened list.
DialogTemplate Portrait() {
  DialogTemplate t;
  t.cx = 160;
  t.cy = 145;
  t.items = {
      {K::Static, IDC_STATIC, u"Type:", 2, 5, 24, 10, SS_LEFT},
      {K::ComboBox, IDC_BROWSER_TYPE, u"", 27, 3, 110, 80, kTypeStyle},
      {K::Static, IDC_BROWSER_NAME_LABEL, u"Name:", 2, 22, 24, 10, SS_LEFT},
      {K::Edit, IDC_BROWSER_NAME, u"", 27, 20, 131, 13, kNameStyle},
      {WC_LISTVIEW, IDC_BROWSER_LIST, u"", 0, 37, 160, 108, kListStyle},
      {K::PushButton, IDC_BROWSER_UP, u"IDB_DIR_UP", 141, 3, 17, 13, kUpStyle},
  };
  return t;
}

// Type, up and name share the top row; the list takes the rest of the short screen.
DialogTemplate Landscape() {
  DialogTemplate t;
  t.cx = 214;
  t.cy = 94;
  t.items = {
      {K::Static, IDC_STATIC, u"Type:", 2, 5, 22, 10, SS_LEFT},
      {K::ComboBox, IDC_BROWSER_TYPE, u"", 25, 3, 84, 70, kTypeStyle},
      {K::Static, IDC_BROWSER_NAME_LABEL, u"Name:", 132, 5, 24, 10, SS_LEFT},
      {K::Edit, IDC_BROWSER_NAME, u"", 157, 3, 55, 13, kNameStyle},
      {WC_LISTVIEW, IDC_BROWSER_LIST, u"", 0, 20, 214, 74, kListStyle},
      {K::PushButton, IDC_BROWSER_UP, u"IDB_DIR_UP", 112, 3, 17, 13, kUpStyle},
  };
  return t;
}

// --- the list's icons: whole pixels, so that no edge pixel is tinted towards the mask ----

constexpr COLORREF kMaskBlue = RGB(0, 0, 255);


void Rect(CBitmap& b, int ox, int l, int t, int r, int bottom, COLORREF c) {
  for (int y = t; y < bottom; ++y)
    for (int x = l; x < r; ++x) b.SetPixel(ox + x, y, c);
}

void Folder(CBitmap& b, int ox) {
  const COLORREF edge = RGB(150, 104, 16), back = RGB(232, 176, 48), body = RGB(252, 212, 92), shine = RGB(255, 236, 160);
  Rect(b, ox, 1, 2, 7, 5, edge);  // the tab
  Rect(b, ox, 2, 3, 6, 5, back);
  Rect(b, ox, 1, 4, 15, 14, edge);  // the body
  Rect(b, ox, 2, 5, 14, 13, back);
  Rect(b, ox, 2, 7, 14, 13, body);  // the front flap, a shade lighter, with a bright rim
  Rect(b, ox, 2, 7, 14, 8, shine);
}

void File(CBitmap& b, int ox) {
  const COLORREF edge = RGB(96, 104, 128), paper = RGB(255, 255, 255), fold = RGB(208, 216, 232), ink = RGB(150, 160, 184);
  Rect(b, ox, 3, 1, 13, 15, edge);
  Rect(b, ox, 4, 2, 12, 14, paper);
  // The top right corner is folded over: cut away, then its back shows.
  for (int y = 1; y < 5; ++y)
    for (int x = 9; x < 13; ++x) {
      if (x - 9 > y - 1) b.SetPixel(ox + x, y, kMaskBlue);
      else if (x - 9 == y - 1 || x == 12 || y == 4) b.SetPixel(ox + x, y, edge);
      else b.SetPixel(ox + x, y, fold);
    }
  for (int line = 0; line < 4; ++line) Rect(b, ox, 5, 6 + 2 * line, line == 3 ? 9 : 11, 7 + 2 * line, ink);
}

void DrawFileIcons(CBitmap& b) {
  if (!b.Create(32, 16)) return;
  b.Fill(kMaskBlue);
  Folder(b, 0);
  File(b, 16);
}

// --- the up button: shapes in a 23 x 22 grid, each pixel averaged over 4 x 4 samples ----

class Canvas {
 public:
  Canvas(CBitmap& b, int scale) : bmp(b), s(scale) {}

  template <class Inside>
  void Fill(COLORREF c, Inside inside) {
    for (int y = 0; y < bmp.GetHeight(); ++y)
      for (int x = 0; x < bmp.GetWidth(); ++x) {
        int hits = 0;
        for (int sy = 0; sy < 4; ++sy)
          for (int sx = 0; sx < 4; ++sx)
            if (inside((x + (sx + 0.5) / 4) / s, (y + (sy + 0.5) / 4) / s)) ++hits;
        if (hits > 0) bmp.SetPixel(x, y, Mix(bmp.GetPixel(x, y), c, hits));
      }
  }
  void Box(double l, double t, double r, double b, COLORREF c) {
    Fill(c, [=](double x, double y) { return x >= l && x < r && y >= t && y < b; });
  }
  void Triangle(double ax, double ay, double bx, double by, double cx, double cy, COLORREF c) {
    auto side = [](double px, double py, double qx, double qy, double rx, double ry) {
      return (qx - px) * (ry - py) - (qy - py) * (rx - px);
    };
    Fill(c, [=](double x, double y) {
      const double d1 = side(ax, ay, bx, by, x, y), d2 = side(bx, by, cx, cy, x, y), d3 = side(cx, cy, ax, ay, x, y);
      return (d1 >= 0 && d2 >= 0 && d3 >= 0) || (d1 <= 0 && d2 <= 0 && d3 <= 0);
    });
  }

 private:
  static COLORREF Mix(COLORREF under, COLORREF over, int hits) {
    auto mix = [hits](int a, int b) { return (a * (16 - hits) + b * hits + 8) / 16; };
    return RGB(mix(GetRValue(under), GetRValue(over)), mix(GetGValue(under), GetGValue(over)),
               mix(GetBValue(under), GetBValue(over)));
  }
  CBitmap& bmp;
  int s;
};

// What the button shows in each state: the face, the frame's width, and the colours of
// the folder and the arrow (grey throughout when disabled).
struct Look {
  COLORREF face, frame, folderEdge, folderBack, folderBody, arrow;
  double frameWidth;  // in grid units; 1 means the one-pixel frame
};

Look LookOf(char state) {
  Look look{RGB(212, 212, 212), RGB(0, 0, 0), RGB(150, 104, 16), RGB(232, 176, 48), RGB(252, 212, 92), RGB(0, 0, 0), 1};
  switch (state) {
    case 'D':  // pressed: the highlight colour, the arrow in white
      look.face = RGB(0, 36, 132);
      look.arrow = RGB(255, 255, 255);
      break;
    case 'F': look.frameWidth = 2; break;  // the heavy frame of the button Enter or Space presses
    case 'X':
      look.frame = look.folderEdge = look.arrow = RGB(128, 128, 128);
      look.folderBack = look.folderBody = RGB(192, 192, 192);
      break;
    default: break;
  }
  return look;
}

void DrawUpButton(CBitmap& b, int scale, char state) {
  if (!b.Create(23 * scale, 22 * scale)) return;
  const Look look = LookOf(state);
  Canvas c(b, scale);
  // The plain frame is one pixel at either size, as the push buttons draw it; the heavy one
  // grows with the button.
  const double f = look.frameWidth > 1 ? look.frameWidth : 1.0 / scale;
  c.Box(0, 0, 23, 22, look.frame);
  c.Box(f, f, 23 - f, 22 - f, look.face);
  if (state != 'D') {
    // A light top edge and a darker bottom one, as the push buttons have.
    c.Box(f, f, 23 - f, f + 1.0 / scale, RGB(255, 255, 255));
    c.Box(f, 22 - f - 1.0 / scale, 23 - f, 22 - f, RGB(128, 128, 128));
  }
  // The folder, low and to the left.
  c.Box(3, 7, 8, 9.5, look.folderEdge);
  c.Box(3.75, 7.75, 7.25, 9.5, look.folderBack);
  c.Box(3, 9, 15, 18, look.folderEdge);
  c.Box(3.75, 9.75, 14.25, 17.25, look.folderBack);
  c.Box(3.75, 11.25, 14.25, 17.25, look.folderBody);
  // The arrow rising out of it to the right.
  c.Box(16.25, 8.5, 18.75, 18, look.arrow);
  c.Triangle(13, 9.25, 22, 9.25, 17.5, 3.5, look.arrow);
}

void AddBrowserBitmaps(CResourceModule& m) {
  m.bitmaps[IDB_FILE_ICONS] = DrawFileIcons;
  for (char state : {'U', 'D', 'F', 'X'}) {
    m.namedBitmaps[u"IDB_DIR_UP" + std::u16string(1, static_cast<char16_t>(state))] = [state](CBitmap& b) { DrawUpButton(b, 1, state); };
    m.namedBitmaps[u"IDB_DIR_UP_L" + std::u16string(1, static_cast<char16_t>(state))] = [state](CBitmap& b) { DrawUpButton(b, 2, state); };
  }
}

}  // namespace

void AddBrowserResources(CResourceModule& m) {
  m.dialogs[IDD_FILE_BROWSER] = Portrait();
  m.dialogs[IDD_FILE_BROWSER_LANDSCAPE] = Landscape();
  AddBrowserBitmaps(m);
  m.strings[AFX_IDS_OPENFILE] = u"Open";
  m.strings[AFX_IDS_SAVEFILE] = u"Save As";
  m.strings[IDS_NEW_PROJECT] = u"New Project";
  m.strings[IDS_ADD_FILE] = u"Add File";
}
