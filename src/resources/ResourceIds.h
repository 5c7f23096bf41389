// Resource numbers: menus, accelerator tables and bitmaps.
#pragma once
#include "platform/base/Types.h"

enum : UINT {
  IDR_POPUP_EDIT = 144,       // the text view's context menu: Cut, Copy, Paste
  IDR_DEFAULT_ACCEL = 22901,  // the text view's keys
  IDR_MARGIN_ICONS = 22902,   // 15 margin icons of 16 x 16 on white
};

// Dialogs and strings of the find and replace commands.
enum : UINT {
  IDD_EDIT_FIND = 8601,
  IDD_EDIT_REPLACE = 8602,
  IDC_EDIT_WHOLE_WORD = 8603,
  IDC_EDIT_MATCH_CASE = 8604,
  IDC_EDIT_TEXT = 8605,
  IDS_EDIT_TEXT_NOT_FOUND = 8606,
  IDC_EDIT_SKIP = 8607,  // Replace
  IDC_EDIT_REPLACE_ALL = 8608,
  IDC_EDIT_REPLACE_WITH = 8609,
  IDC_EDIT_FIND_NEXT = 8610,
  IDC_EDIT_DIRECTION_UP = 8611,
  IDC_EDIT_DIRECTION_DOWN = 8612,
};
