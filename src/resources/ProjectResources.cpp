// The project resources: the strings of opening and importing projects, the project
// window's two layouts (portrait and landscape, the buttons at the right), and bitmap 140,
// the tree's icons drawn by code: a closed group, an open group and a file, 13 pixels each
// on white (which the image list leaves out), twice the size on a 192 DPI screen.
#include <functional>

#include "platform/controls/CommonControls.h"
#include "platform/controls/TreeCtrl.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Dpi.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Resources.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

namespace {

using K = DialogItemKind;
constexpr DWORD kTreeStyle =
    TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP | WS_GROUP;
constexpr DWORD kButtonStyle = WS_TABSTOP | WS_GROUP;

DialogTemplate Layout(int cx, int cy, int treeCx, int treeCy) {
  DialogTemplate t;
  t.cx = cx;
  t.cy = cy;
  const int x = treeCx + 6, w = cx - treeCx - 8;
  t.items = {
      {WC_TREEVIEW, IDC_PROJECT_TREE, u"", 2, 2, treeCx, treeCy, kTreeStyle},
      {K::DefPushButton, IDC_PROJECT_OPEN, u"Open", x, 2, w, 14, kButtonStyle},
      {K::PushButton, IDCANCEL, u"Cancel", x, 20, w, 14, kButtonStyle},
      {K::PushButton, IDC_PROJECT_ADD, u"Add", x, 44, w, 14, kButtonStyle},
      {K::PushButton, IDC_PROJECT_REMOVE, u"Remove", x, 62, w, 14, kButtonStyle},
  };
  return t;
}

// --- the icons, on a 13 x 13 grid, each grid pixel scale x scale screen pixels -----------

constexpr COLORREF kMask = RGB(255, 255, 255);
constexpr COLORREF kEdge = RGB(150, 104, 16), kBack = RGB(232, 176, 48), kBody = RGB(252, 212, 92),
                   kShine = RGB(255, 236, 160);

class Grid {
 public:
  Grid(CBitmap& b, int ox, int scale) : bmp(b), ox(ox), s(scale) {}
  void Dot(int x, int y, COLORREF c) {
    for (int dy = 0; dy < s; ++dy)
      for (int dx = 0; dx < s; ++dx) bmp.SetPixel((ox + x) * s + dx, y * s + dy, c);
  }
  void Rect(int l, int t, int r, int b, COLORREF c) {
    for (int y = t; y < b; ++y)
      for (int x = l; x < r; ++x) Dot(x, y, c);
  }

 private:
  CBitmap& bmp;
  int ox, s;
};

void ClosedGroup(Grid g) {
  g.Rect(1, 1, 6, 3, kEdge);  // the tab
  g.Rect(2, 2, 5, 3, kBack);
  g.Rect(0, 2, 13, 12, kEdge);
  g.Rect(1, 3, 12, 11, kBody);
  g.Rect(1, 3, 12, 4, kShine);
}

void OpenGroup(Grid g) {
  g.Rect(1, 1, 6, 3, kEdge);
  g.Rect(2, 2, 5, 3, kBack);
  g.Rect(0, 2, 11, 12, kEdge);
  g.Rect(1, 3, 10, 11, kBack);
  // The front flap leans back to the right, open.
  for (int y = 5; y < 12; ++y) {
    const int l = (11 - y) / 2 + (y == 11 ? 0 : 1), r = l + 10;
    for (int x = l; x <= r && x < 13; ++x) g.Dot(x, y, y == 5 || y == 11 || x == l || x == r ? kEdge : kBody);
  }
  for (int x = 4; x < 12; ++x) g.Dot(x, 6, kShine);
}

void File(Grid g) {
  const COLORREF edge = RGB(96, 104, 128), paper = RGB(250, 250, 250), fold = RGB(208, 216, 232),
                 ink = RGB(150, 160, 184);
  g.Rect(2, 0, 11, 13, edge);
  g.Rect(3, 1, 10, 12, paper);
  // The top right corner folded over.
  for (int y = 0; y < 4; ++y)
    for (int x = 8; x < 11; ++x) {
      if (x - 8 > y) g.Dot(x, y, kMask);
      else if (x - 8 == y || x == 10 || y == 3) g.Dot(x, y, edge);
      else g.Dot(x, y, fold);
    }
  for (int line = 0; line < 4; ++line) g.Rect(4, 5 + 2 * line, line == 3 ? 7 : 9, 6 + 2 * line, ink);
}

void DrawProjectIcons(CBitmap& b) {
  const int scale = plat::gfx::GetLogicalDpi() >= 192 ? 2 : 1;
  if (!b.Create(3 * 13 * scale, 13 * scale)) return;
  b.Fill(kMask);
  ClosedGroup(Grid(b, 0, scale));
  OpenGroup(Grid(b, 13, scale));
  File(Grid(b, 26, scale));
}

}  // namespace

void AddProjectResources(CResourceModule& m) {
  m.strings[IDS_PROJECT_LOAD_FAILED] = u"Load failed.";
  m.strings[IDS_PROJECT_IMPORT_FAILED] = u"Error loading project file.";
  m.dialogs[IDD_PROJECT] = Layout(154, 157, 114, 143);
  m.dialogs[IDD_PROJECT_LANDSCAPE] = Layout(202, 113, 140, 99);
  m.bitmaps[IDB_PROJECT_ICONS] = DrawProjectIcons;
}
