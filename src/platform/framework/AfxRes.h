// The framework's standard command and window numbers: those it handles or makes itself.
#pragma once
#include "platform/base/Types.h"

enum : UINT {
  ID_FILE_NEW = 57600,
  ID_FILE_OPEN = 57601,
  ID_FILE_SAVE = 57603,
  ID_FILE_SAVE_AS = 57604,
  ID_FILE_MRU_FILE1 = 57616,  // the recent files take 57616 onwards, up to 16 of them
  ID_FILE_MRU_LAST = 57631,
  ID_APP_EXIT = 57665,
  ID_NEXT_PANE = 57680,
  ID_PREV_PANE = 57681,
  AFX_IDW_TOOLBAR = 59392,  // the command bar's control number
};
