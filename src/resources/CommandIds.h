// Command identifiers: menus, accelerators, buttons and the context menu produce these.
#pragma once
#include "platform/base/Types.h"
// The framework's own commands, which it handles itself: ID_FILE_NEW 57600, ID_FILE_OPEN
// 57601, ID_FILE_SAVE 57603, ID_FILE_SAVE_AS 57604, ID_FILE_MRU_FILE1 57616 (to 57631),
// ID_APP_EXIT 57665, ID_NEXT_PANE 57680, ID_PREV_PANE 57681.
#include "platform/framework/AfxRes.h"

enum : UINT {
  // Editing keys.
  ID_EDIT_DELETE = 37000,
  ID_EDIT_DELETE_BACK = 37001,
  ID_EDIT_DELETE_WORD_BACK = 37002,
  ID_EDIT_TAB = 37003,
  ID_EDIT_UNTAB = 37004,
  ID_EDIT_SWITCH_OVRMODE = 37005,

  // Caret movement; each odd identifier is the extending (Shift) form of the one before.
  ID_EDIT_CHAR_LEFT = 37100,
  ID_EDIT_EXT_CHAR_LEFT = 37101,
  ID_EDIT_CHAR_RIGHT = 37102,
  ID_EDIT_EXT_CHAR_RIGHT = 37103,
  ID_EDIT_WORD_LEFT = 37104,
  ID_EDIT_EXT_WORD_LEFT = 37105,
  ID_EDIT_WORD_RIGHT = 37106,
  ID_EDIT_EXT_WORD_RIGHT = 37107,
  ID_EDIT_LINE_UP = 37108,
  ID_EDIT_EXT_LINE_UP = 37109,
  ID_EDIT_LINE_DOWN = 37110,
  ID_EDIT_EXT_LINE_DOWN = 37111,
  ID_EDIT_SCROLL_UP = 37112,
  ID_EDIT_SCROLL_DOWN = 37113,
  ID_EDIT_PAGE_UP = 37114,
  ID_EDIT_EXT_PAGE_UP = 37115,
  ID_EDIT_PAGE_DOWN = 37116,
  ID_EDIT_EXT_PAGE_DOWN = 37117,
  ID_EDIT_LINE_END = 37118,
  ID_EDIT_EXT_LINE_END = 37119,
  ID_EDIT_HOME = 37120,
  ID_EDIT_EXT_HOME = 37121,
  ID_EDIT_TEXT_BEGIN = 37122,
  ID_EDIT_EXT_TEXT_BEGIN = 37123,
  ID_EDIT_TEXT_END = 37124,
  ID_EDIT_EXT_TEXT_END = 37125,

  // Bookmarks 0..9.
  ID_EDIT_TOGGLE_BOOKMARK0 = 37200,
  ID_EDIT_TOGGLE_BOOKMARK9 = 37209,
  ID_EDIT_GO_BOOKMARK0 = 37210,
  ID_EDIT_GO_BOOKMARK9 = 37219,
  ID_EDIT_CLEAR_BOOKMARKS = 37220,

  // Status indicators of the editing view.
  ID_EDIT_INDICATOR_COL = 37900,
  ID_EDIT_INDICATOR_CRLF = 37901,

  // The framework's standard edit commands.
  ID_EDIT_COPY = 57634,
  ID_EDIT_CUT = 57635,
  ID_EDIT_FIND = 57636,
  ID_EDIT_PASTE = 57637,
  ID_EDIT_REPEAT = 57640,
  ID_EDIT_REPLACE = 57641,
  ID_EDIT_SELECT_ALL = 57642,
  ID_EDIT_UNDO = 57643,
  ID_EDIT_REDO = 57644,
};

// The application's commands: its menus, keys and menu-bar buttons.
enum : UINT {
  ID_APP_ABOUT = 57670,
  ID_APP_ABOUT_KEY = 83,  // the About box's second number
  ID_TOOLS_FILE_OUTLINE = 32771,
  ID_TOOLS_OPTIONS = 32772,
  ID_TOOLS_CUSTOMIZE = 32773,
  ID_EDIT_GOTO_LINE = 32775,  // Edit "Jump to Line Number", Ctrl+G
  ID_SHOW_PROJECT = 32778,    // Ctrl+1 and its button
  ID_FIND_NEXT = 32779,       // Ctrl+3 and its button
  ID_FILE_NEW_SOURCE = 32785,
  ID_FILE_NEW_PROJECT = 32786,
  ID_TOOLS_SHOW_PROJECT = 32787,  // the Tools menu's "Show Project..." item
  ID_FILE_TOGGLE_READONLY = 5000,
  // The menu bar's drop-down buttons.
  ID_MENU_FILE = 32791,
  ID_MENU_EDIT = 111,
  ID_MENU_TOOLS = 32804,
  // The Tools menu's external tools: tool n is ID_TOOL_FIRST + n.
  ID_TOOL_FIRST = 42,
  ID_TOOL_LAST = 62,
};
