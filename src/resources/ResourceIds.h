// Resource numbers: menus, accelerator tables and bitmaps.
#pragma once
#include "platform/base/Types.h"

enum : UINT {
  IDR_POPUP_EDIT = 144,       // the text view's context menu: Cut, Copy, Paste
  IDR_DEFAULT_ACCEL = 22901,  // the text view's keys
  IDR_MARGIN_ICONS = 22902,   // 15 margin icons of 16 x 16 on white
};
