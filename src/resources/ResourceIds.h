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
  IDS_EDIT_ALL_REPLACED = 8613,
};

// The main frame's resources.
enum : UINT {
  IDR_MAINFRAME = 100,        // menu, keys, menu-bar definition, 16 x 16 buttons, title string
  IDR_MAINFRAME_LARGE = 106,  // the 32 x 32 buttons of high-resolution screens
  IDS_MENU_FILE = 32793,      // the menu bar's labels
  IDS_MENU_EDIT = 113,
  IDS_MENU_TOOLS = 32806,
};

// The outline, go-to-line and options dialogs and their messages. Controls of different
// dialogs share numbers: each name says what the control holds.
enum : UINT {
  IDD_OUTLINE = 105,
  IDD_GOTO_LINE = 110,
  IDD_TOOLS_OPTIONS = 134,
  IDC_OUTLINE_LIST = 1000,
  IDC_NUMBER_EDIT = 1006,  // the line number; the font size
  IDC_NUMBER_SPIN = 1010,  // the up-down attached to it
  IDC_CURRENT_LINE = 1015,
  IDC_FONT_NAME = 1015,
  IDS_OUTLINE_NO_FUNCTIONS = 32900,
  IDS_GOTO_CURRENT_LINE = 32901,  // %d: the caret's line index
  IDS_FIND_NEXT_NOT_FOUND = 32902,  // Find Next; %1: the text looked for
};

// The document's messages: saving refused or failed, and the read-only switch.
enum : UINT {
  IDS_SAVE_READ_ONLY_FILE = 32910,
  IDS_SAVE_ACCESS_DENIED = 32911,
  IDS_SAVE_FAILED = 32912,  // %1: the error number
  IDS_NOW_READ_ONLY = 32913,
};

// The file browser: its two layouts, its controls, the list's icons, and the titles the
// file prompt shows.
enum : UINT {
  IDD_FILE_BROWSER = 141,            // portrait
  IDB_FILE_ICONS = 142,              // two 16 x 16 icons, a folder and a file; pure blue is transparent
  IDD_FILE_BROWSER_LANDSCAPE = 148,  // screens wider than high
  IDC_BROWSER_LIST = 1000,
  IDC_BROWSER_UP = 1001,             // its text names its bitmaps: IDB_DIR_UP or IDB_DIR_UP_L
  IDC_BROWSER_NAME = 1006,
  IDC_BROWSER_NAME_LABEL = 1012,
  IDC_BROWSER_TYPE = 1015,
  IDS_NEW_PROJECT = 61210,
  IDS_ADD_FILE = 61211,
  AFX_IDS_OPENFILE = 61440,
  AFX_IDS_SAVEFILE = 61441,
};

// The About box.
enum : UINT {
  IDD_ABOUTBOX = 104,
  IDC_ABOUT_HELP = 1001,
  IDC_ABOUT_WEBSITE = 1002,
  IDI_MAINFRAME = 100,  // the program's icon
};

// The messages of opening and importing projects.
enum : UINT {
  IDS_PROJECT_LOAD_FAILED = 32920,    // "Load failed."
  IDS_PROJECT_IMPORT_FAILED = 32921,  // "Error loading project file."
};

// The project window: its two layouts, its controls and the tree's icons.
enum : UINT {
  IDD_PROJECT = 139,            // portrait
  IDB_PROJECT_ICONS = 140,      // a closed group, an open group, a file; 13 pixels wide, white is transparent
  IDD_PROJECT_LANDSCAPE = 146,  // screens wider than high
  IDC_PROJECT_ADD = 1001,
  IDC_PROJECT_REMOVE = 1002,
  IDC_PROJECT_OPEN = 1003,
  IDC_PROJECT_TREE = 1016,
};

// The external tools: the list editor, a tool's properties, the arguments prompt, and the
// message of a tool without a program.
enum : UINT {
  IDD_TOOLS_CUSTOMIZE = 135,
  IDD_TOOL_PROPERTIES = 136,
  IDD_TOOL_ARGUMENTS = 137,
  IDC_TOOLS_LIST = 1000,
  IDC_TOOLS_ADD = 1001,
  IDC_TOOLS_MODIFY = 1002,
  IDC_TOOLS_REMOVE = 1003,
  IDC_TOOLS_UP = 1004,
  IDC_TOOLS_DOWN = 1005,
  IDC_TOOL_DESCRIPTION = 1006,  // also the arguments prompt's field
  IDC_TOOL_COMMAND_LINE = 1007,
  IDC_TOOL_WORKING_DIR = 1008,
  IDC_TOOL_ARGUMENTS = 1009,
  IDC_TOOL_PROMPT = 1014,
  IDC_TOOL_ARGUMENTS_PROMPT = 1006,
  IDS_TOOL_CANNOT_EXECUTE = 32930,  // "Could not execute command."
};
