// The text view's resources: its key table, its context menu and its margin icons.
#include <array>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Resources.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceTables.h"

namespace {

constexpr unsigned char V = FVIRTKEY, S = FVIRTKEY | FSHIFT, C = FVIRTKEY | FCONTROL, CS = FVIRTKEY | FCONTROL | FSHIFT,
                        A = FVIRTKEY | FALT;

std::vector<ACCEL> ViewAccelerators() {
  std::vector<ACCEL> t = {
      {V, VK_LEFT, ID_EDIT_CHAR_LEFT},        {S, VK_LEFT, ID_EDIT_EXT_CHAR_LEFT},
      {V, VK_RIGHT, ID_EDIT_CHAR_RIGHT},      {S, VK_RIGHT, ID_EDIT_EXT_CHAR_RIGHT},
      {C, VK_LEFT, ID_EDIT_WORD_LEFT},        {CS, VK_LEFT, ID_EDIT_EXT_WORD_LEFT},
      {C, VK_RIGHT, ID_EDIT_WORD_RIGHT},      {CS, VK_RIGHT, ID_EDIT_EXT_WORD_RIGHT},
      {V, VK_UP, ID_EDIT_LINE_UP},            {S, VK_UP, ID_EDIT_EXT_LINE_UP},
      {V, VK_DOWN, ID_EDIT_LINE_DOWN},        {S, VK_DOWN, ID_EDIT_EXT_LINE_DOWN},
      {C, VK_UP, ID_EDIT_SCROLL_UP},          {C, VK_DOWN, ID_EDIT_SCROLL_DOWN},
      {V, VK_PRIOR, ID_EDIT_PAGE_UP},         {S, VK_PRIOR, ID_EDIT_EXT_PAGE_UP},
      {V, VK_NEXT, ID_EDIT_PAGE_DOWN},        {S, VK_NEXT, ID_EDIT_EXT_PAGE_DOWN},
      {V, VK_END, ID_EDIT_LINE_END},          {S, VK_END, ID_EDIT_EXT_LINE_END},
      {V, VK_HOME, ID_EDIT_HOME},             {S, VK_HOME, ID_EDIT_EXT_HOME},
      {C, VK_HOME, ID_EDIT_TEXT_BEGIN},       {CS, VK_HOME, ID_EDIT_EXT_TEXT_BEGIN},
      {C, VK_END, ID_EDIT_TEXT_END},          {CS, VK_END, ID_EDIT_EXT_TEXT_END},
      {CS, VK_F2, ID_EDIT_CLEAR_BOOKMARKS},   {C, 'A', ID_EDIT_SELECT_ALL},
      {C, 'C', ID_EDIT_COPY},                 {C, VK_INSERT, ID_EDIT_COPY},
      {C, 'F', ID_EDIT_FIND},                 {V, VK_F3, ID_EDIT_REPEAT},
      {C, 'H', ID_EDIT_REPLACE},              {C, 'V', ID_EDIT_PASTE},
      {S, VK_INSERT, ID_EDIT_PASTE},          {C, 'X', ID_EDIT_CUT},
      {S, VK_DELETE, ID_EDIT_CUT},            {C, 'Z', ID_EDIT_UNDO},
      {A, VK_BACK, ID_EDIT_UNDO},             {C, 'Y', ID_EDIT_REDO},
      {V, VK_DELETE, ID_EDIT_DELETE},         {V, VK_BACK, ID_EDIT_DELETE_BACK},
      {C, VK_BACK, ID_EDIT_DELETE_WORD_BACK}, {V, VK_TAB, ID_EDIT_TAB},
      {S, VK_TAB, ID_EDIT_UNTAB},             {V, VK_INSERT, ID_EDIT_SWITCH_OVRMODE},
  };
  for (UINT n = 0; n < 10; ++n) {
    t.push_back({CS, '0' + n, ID_EDIT_TOGGLE_BOOKMARK0 + n});
    t.push_back({A, '0' + n, ID_EDIT_GO_BOOKMARK0 + n});
  }
  return t;
}

MenuTemplate EditPopup() {
  MenuItemTemplate popup;
  popup.flags = MF_POPUP;
  popup.text = u"Edit";
  popup.items = {{MF_STRING, ID_EDIT_CUT, u"Cut", {}}, {MF_STRING, ID_EDIT_COPY, u"Copy", {}},
                 {MF_STRING, ID_EDIT_PASTE, u"Paste", {}}};
  return {popup};
}

// Digits as 3 x 5 dot patterns, one row of three bits per line, top row first.
constexpr std::array<std::array<unsigned char, 5>, 10> kDigits = {{
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
}};

void Box(CBitmap& b, int x0, int y0, int x1, int y1, COLORREF c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) b.SetPixel(x, y, c);
}

void Disc(CBitmap& b, int ox, int cx, int cy, int r, COLORREF c) {
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r) b.SetPixel(ox + x, y, c);
}

// The strip: icons 0..2 for the highlight flags (current line arrow, breakpoint, disabled
// breakpoint), 3..11 bookmarks 1..9, 12 bookmark 0, 13 the fourth highlight flag, 14 any
// other flag. White is transparent.
void DrawMarginIcons(CBitmap& b) {
  b.Create(16 * 15, 16);
  b.Fill(RGB(255, 255, 255));
  const COLORREF black = RGB(0, 0, 0);
  // 0: a yellow arrow pointing right.
  for (int y = 3; y < 13; ++y) {
    const int half = y < 8 ? y - 3 : 12 - y;
    Box(b, 3, y, 8 + half, y + 1, RGB(255, 220, 0));
    b.SetPixel(8 + half, y, black);
  }
  Box(b, 3, 6, 4, 10, black);
  // 1: a red disc; 2: a hollow red ring.
  Disc(b, 16, 8, 8, 6, RGB(200, 0, 0));
  Disc(b, 32, 8, 8, 6, RGB(200, 0, 0));
  Disc(b, 32, 8, 8, 4, RGB(255, 255, 255));
  // 3..12: bookmark tags with their digit, 1..9 then 0.
  for (int i = 0; i < 10; ++i) {
    const int digit = i < 9 ? i + 1 : 0;
    const int ox = 16 * (3 + i);
    Box(b, ox + 2, 1, ox + 14, 15, RGB(0, 64, 192));
    Box(b, ox + 3, 2, ox + 13, 14, RGB(64, 128, 255));
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (kDigits[digit][row] & (4 >> col)) Box(b, ox + 5 + 2 * col, 3 + 2 * row, ox + 7 + 2 * col, 5 + 2 * row, RGB(254, 254, 254));
  }
  // 13: an olive square; 14: a grey dot for any other flag.
  Box(b, 16 * 13 + 3, 3, 16 * 13 + 13, 13, RGB(128, 128, 0));
  Disc(b, 16 * 14, 8, 8, 3, RGB(96, 96, 96));
}

}  // namespace

void AddViewResources(CResourceModule& m) {
  m.accelerators[IDR_DEFAULT_ACCEL] = ViewAccelerators();
  m.menus[IDR_POPUP_EDIT] = EditPopup();
  m.bitmaps[IDR_MARGIN_ICONS] = DrawMarginIcons;
}
